#include "card/CardDesign.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/SafeFile.h"
#include "card/TilePicture.h"
#include "card/Twips.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <deque>

namespace CardDesign {
namespace {
const QString Format = QStringLiteral("Velnor名片设计");
const QString DesignSuffix = QStringLiteral(".card");
const QString PictureSuffix = QStringLiteral(".bmp");

// Limits on what a file may ask for: far beyond any card a user makes, small enough to be safe.
constexpr double MaxCoordinate = 1e7; // twips, about 7 metres
constexpr double MaxFontPoints = 1000;
constexpr int MaxTextLength = 20000;
constexpr int MaxFaceLength = 256;
constexpr int MaxPictures = 8;
constexpr qint64 MaxPictureBytes = 128ll * 1024 * 1024; // one decoded picture, 32 bits a pixel
constexpr qint64 MaxAllPictureBytes = 256ll * 1024 * 1024;

QString orientationName(Orientation o)
{
    return o == Orientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
}

const QString StampHash = QStringLiteral("blake2b-256");

QByteArray pictureHash(const QByteArray &file)
{
    // A quarter of the time of SHA-256 here; any change of the picture shows either way.
    return QCryptographicHash::hash(file, QCryptographicHash::Blake2b_256).toHex();
}

// The page panel's tiling: the picture over an empty layer of the size, as CardModel::tilePage makes it
// (an opaque result without an alpha channel).
QImage tiledLayer(const QImage &tile, const QSize &size)
{
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        TilePicture(p, size, tile);
    }
    for (int y = 0; y < layer.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        for (int x = 0; x < layer.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return layer;
    }
    layer.convertTo(QImage::Format_RGB32);
    return layer;
}

// PNG keeps every pixel exactly; a premultiplied picture is stored as the straight-alpha picture Qt
// converts it to, and converted back on reading.
QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // zlib's fastest level (Qt maps quality 80 to it): a design is written at every save, and the few
    // kilobytes the best level would spare matter less than the time.
    writer.setQuality(80);
    if (!writer.write(image))
        return QByteArray();
    return bytes;
}

// The last pictures encoded: a card saved again (or a texture used on several cards) is not encoded again.
// A QImage's cache key changes with every change of its pixels; the images are kept, so no key is reused.
QString encodedPicture(const QImage &image)
{
    static std::deque<std::pair<QImage, QString>> cache;
    for (const auto &[kept, text] : cache)
        if (kept.cacheKey() == image.cacheKey())
            return text;
    const QString text = QString::fromLatin1(pngOf(image).toBase64());
    cache.emplace_back(image, text);
    if (cache.size() > 4)
        cache.pop_front();
    return text;
}

class Pictures {
public:
    // The index of the picture in the list, added when it is not there yet; -1 for none.
    int add(const QImage &image)
    {
        if (image.isNull())
            return -1;
        for (int i = 0; i < int(m_images.size()); ++i)
            if (m_images[size_t(i)].cacheKey() == image.cacheKey())
                return i;
        m_images.push_back(image);
        m_encoded.append(encodedPicture(image));
        return int(m_images.size()) - 1;
    }
    QJsonArray encoded() const { return m_encoded; }

private:
    std::vector<QImage> m_images;
    QJsonArray m_encoded;
};

QJsonObject elementObject(const CardElement &e)
{
    return {{QStringLiteral("left"), e.left},       {QStringLiteral("top"), e.top},
            {QStringLiteral("width"), e.width},     {QStringLiteral("height"), e.height},
            {QStringLiteral("visible"), e.visible}, {QStringLiteral("color"), qint64(e.color)}};
}

QJsonObject textObject(const TextElement &e)
{
    QJsonObject o = elementObject(e);
    o.insert(QStringLiteral("text"), e.text);
    o.insert(QStringLiteral("face"), e.face);
    o.insert(QStringLiteral("size"), e.sizePt);
    o.insert(QStringLiteral("bold"), e.bold);
    o.insert(QStringLiteral("italic"), e.italic);
    o.insert(QStringLiteral("alignRight"), e.alignRight);
    o.insert(QStringLiteral("autoSize"), e.autoSize);
    o.insert(QStringLiteral("wordWrap"), e.wordWrap);
    return o;
}

const QString VCardName = QStringLiteral("vCard");
const QString MeCardName = QStringLiteral("MeCard");

// The QR code has a place of its own beside "elements", so that files without it (and the older program)
// read the rest unchanged.
QJsonObject qrObject(const CardState &s)
{
    QJsonObject o = elementObject(s.qr);
    QJsonArray fields;
    for (const ContactCode::FieldRow &f : ContactCode::FieldTable)
        if (s.qrOptions.fields & ContactCode::bit(f.field))
            fields.append(QLatin1String(elementInfo(f.element).controlName));
    o.insert(QStringLiteral("fields"), fields);
    o.insert(QStringLiteral("format"), s.qrOptions.format == ContactFormat::VCard ? VCardName : MeCardName);
    o.insert(QStringLiteral("moduleSize"), s.qrOptions.modulePx);
    return o;
}

QByteArray encodeState(const CardState &s, const QByteArray *pictureFile)
{
    Pictures pictures;
    QJsonObject root{{QStringLiteral("format"), Format},
                     {QStringLiteral("version"), Version},
                     {QStringLiteral("orientation"), orientationName(s.orientation)},
                     {QStringLiteral("pageColor"), qint64(s.pageColor)},
                     {QStringLiteral("background"), s.backgroundShown}};
    if (pictureFile)
        root.insert(QStringLiteral("picture"),
                    QJsonObject{{QStringLiteral("size"), qint64(pictureFile->size())},
                                {StampHash, QString::fromLatin1(pictureHash(*pictureFile))}});
    root.insert(QStringLiteral("pagePicture"), pictures.add(s.pagePicture));
    root.insert(QStringLiteral("pictureStore"), pictures.add(s.pictureStore));
    // Tiles made from the held picture are stored as that: the picture and the layer's size.
    if (!s.paintedLayer.isNull() && !s.pictureStore.isNull() &&
        tiledLayer(s.pictureStore, s.paintedLayer.size()) == s.paintedLayer)
        root.insert(QStringLiteral("paintedLayer"),
                    QJsonObject{{QStringLiteral("tiles"), pictures.add(s.pictureStore)},
                                {QStringLiteral("width"), s.paintedLayer.width()},
                                {QStringLiteral("height"), s.paintedLayer.height()}});
    else
        root.insert(QStringLiteral("paintedLayer"), pictures.add(s.paintedLayer));
    root.insert(QStringLiteral("logo"), pictures.add(s.logo));
    QJsonObject elements;
    for (const ElementRow &info : ElementTable) {
        const QString name = QLatin1String(info.controlName);
        if (isText(info.id))
            elements.insert(name, textObject(s.texts[size_t(info.id)]));
        else if (info.kind != ElementKind::Qr)
            elements.insert(name, elementObject(s.element(info.id)));
    }
    root.insert(QStringLiteral("elements"), elements);
    root.insert(QStringLiteral("qr"), qrObject(s));
    root.insert(QStringLiteral("pictures"), pictures.encoded());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// Reading: every value is checked for its type and range; the first fault found is the reason.
class Reader {
public:
    QString fault; // empty while all is well

    bool fail(const QString &what)
    {
        if (fault.isEmpty())
            fault = QStringLiteral("名片设计文件已损坏（“%1”有误），无法打开。").arg(what);
        return false;
    }

    QJsonValue need(const QJsonObject &o, const QString &key)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            fail(key);
        return v;
    }

    double number(const QJsonObject &o, const QString &key, double low, double high)
    {
        const QJsonValue v = need(o, key);
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !std::isfinite(d) || d < low || d > high) {
            fail(key);
            return low;
        }
        return d;
    }

    bool boolean(const QJsonObject &o, const QString &key)
    {
        const QJsonValue v = need(o, key);
        if (!v.isBool())
            fail(key);
        return v.toBool();
    }

    QString text(const QJsonObject &o, const QString &key, int maxLength)
    {
        const QJsonValue v = need(o, key);
        if (!v.isString() || v.toString().size() > maxLength) {
            fail(key);
            return QString();
        }
        return v.toString();
    }

    VbColor color(const QJsonObject &o, const QString &key)
    {
        const double d = number(o, key, 0, 4294967295.0);
        const VbColor c = VbColor(d);
        // A colour is 0x00BBGGRR or a system colour 0x800000NN; nothing else can come from the program.
        if (double(c) != d || ((c & 0xFF000000u) != 0 && !(VbColors::isSystem(c) && (c & 0x00FFFF00u) == 0)))
            fail(key);
        return c;
    }

    void element(const QJsonObject &o, CardElement &e)
    {
        e.left = number(o, QStringLiteral("left"), -MaxCoordinate, MaxCoordinate);
        e.top = number(o, QStringLiteral("top"), -MaxCoordinate, MaxCoordinate);
        e.width = number(o, QStringLiteral("width"), 0, MaxCoordinate);
        e.height = number(o, QStringLiteral("height"), 0, MaxCoordinate);
        e.visible = boolean(o, QStringLiteral("visible"));
        e.color = color(o, QStringLiteral("color"));
    }

    void textElement(const QJsonObject &o, TextElement &e)
    {
        element(o, e);
        e.text = text(o, QStringLiteral("text"), MaxTextLength);
        e.face = text(o, QStringLiteral("face"), MaxFaceLength);
        e.sizePt = number(o, QStringLiteral("size"), 0, MaxFontPoints);
        if (!(e.sizePt > 0))
            fail(QStringLiteral("size"));
        e.bold = boolean(o, QStringLiteral("bold"));
        e.italic = boolean(o, QStringLiteral("italic"));
        e.alignRight = boolean(o, QStringLiteral("alignRight"));
        e.autoSize = boolean(o, QStringLiteral("autoSize"));
        e.wordWrap = boolean(o, QStringLiteral("wordWrap"));
    }

    // A design without the QR code (saved before there was one) gets it hidden in the top-right corner.
    void qr(const QJsonObject &root, CardState &s)
    {
        s.qr = CardElement{ElementId::PicQr, 0, 0, 0, 0, false, 0};
        s.qrOptions = QrOptions();
        const QJsonValue value = root.value(QStringLiteral("qr"));
        if (value.isUndefined()) {
            const QrCode code = QrCode::encode(
                ContactCode::text(ContactCode::fromTexts(s.texts, s.qrOptions.fields), s.qrOptions.format));
            s.qr.left = std::max(0.0, s.cardWidth -
                                          code.sizeWithQuietZone() * s.qrOptions.modulePx * Twips::PerPixel);
            return;
        }
        if (!value.isObject()) {
            fail(QStringLiteral("qr"));
            return;
        }
        const QJsonObject o = value.toObject();
        element(o, s.qr);
        if (ContactCode::contrastRatio(VbColors::toQColor(s.qr.color), Qt::white) < ContactCode::MinContrast)
            fail(QStringLiteral("color"));
        const QJsonValue fields = need(o, QStringLiteral("fields"));
        if (!fields.isArray())
            fail(QStringLiteral("fields"));
        s.qrOptions.fields = 0;
        for (const QJsonValue &f : fields.toArray()) {
            const auto row =
                std::find_if(ContactCode::FieldTable.begin(), ContactCode::FieldTable.end(),
                             [&f](const ContactCode::FieldRow &r) {
                                 return f.toString() == QLatin1String(elementInfo(r.element).controlName);
                             });
            if (row == ContactCode::FieldTable.end())
                fail(QStringLiteral("fields"));
            else
                s.qrOptions.fields |= ContactCode::bit(row->field);
        }
        const QString format = text(o, QStringLiteral("format"), 16);
        if (format == VCardName)
            s.qrOptions.format = ContactFormat::VCard;
        else if (format == MeCardName)
            s.qrOptions.format = ContactFormat::MeCard;
        else
            fail(QStringLiteral("format"));
        const double module = number(o, QStringLiteral("moduleSize"), MinQrModulePx, MaxQrModulePx);
        if (module != std::floor(module))
            fail(QStringLiteral("moduleSize"));
        s.qrOptions.modulePx = int(module);
    }

    QImage picture(const QJsonValue &v, qint64 *budget)
    {
        if (!v.isString()) {
            fail(QStringLiteral("pictures"));
            return QImage();
        }
        const auto decoded =
            QByteArray::fromBase64Encoding(v.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            fail(QStringLiteral("pictures"));
            return QImage();
        }
        QByteArray png = decoded.decoded;
        QBuffer buffer(&png);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "png");
        reader.setDecideFormatFromContent(false);
        // Qt refuses to allocate beyond this (a 16-bit PNG takes 8 bytes a pixel).
        reader.setAllocationLimit(
            int(std::max<qint64>(1, std::min(MaxPictureBytes, *budget) / (1024 * 1024))));
        const QSize size = reader.size();
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (!size.isValid() || size.isEmpty() || size.width() > 32767 || size.height() > 32767 ||
            bytes > MaxPictureBytes || bytes > *budget) {
            pictureFault();
            return QImage();
        }
        QImage image = reader.read();
        if (image.isNull() || image.size() != size) {
            pictureFault();
            return QImage();
        }
        *budget -= std::max<qint64>(bytes, image.sizeInBytes());
        return image;
    }

    void pictureFault()
    {
        if (fault.isEmpty())
            fault = QStringLiteral("名片设计文件中的图片已损坏或太大，无法解码，名片无法打开。");
    }

    QImage pictureAt(const QJsonObject &root, const QString &key, const std::vector<QImage> &pictures)
    {
        const double index = number(root, key, -1, double(pictures.size()) - 1);
        if (index != std::floor(index)) {
            fail(key);
            return QImage();
        }
        return index < 0 ? QImage() : pictures[size_t(index)];
    }
};

bool decodeState(const QByteArray &bytes, CardState &s, QString *reason, QJsonObject *stamp = nullptr)
{
    auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (bytes.size() > MaxFileBytes)
        return refuse(QStringLiteral("名片设计文件太大，无法安全打开。"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return refuse(QStringLiteral("名片设计文件已损坏或不完整，无法打开。"));
    const QJsonObject root = document.object();
    if (stamp)
        *stamp = root.value(QStringLiteral("picture")).toObject();
    if (root.value(QStringLiteral("format")).toString() != Format)
        return refuse(QStringLiteral("这不是Velnor的名片设计文件，无法打开。"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double v = version.toDouble(0);
    if (!version.isDouble() || v < 1 || v != std::floor(v))
        return refuse(QStringLiteral("名片设计文件已损坏（“version”有误），无法打开。"));
    if (v > Version)
        return refuse(QStringLiteral("这张名片是用更新版本的Velnor保存的（设计格式第%1版），"
                                     "这个版本只能打开第%2版。请用新版本的Velnor打开它。")
                          .arg(qint64(v))
                          .arg(Version));

    Reader r;
    const QString orientation = r.text(root, QStringLiteral("orientation"), 16);
    if (orientation == orientationName(Orientation::Landscape))
        s.orientation = Orientation::Landscape;
    else if (orientation == orientationName(Orientation::Portrait))
        s.orientation = Orientation::Portrait;
    else
        r.fail(QStringLiteral("orientation"));
    const PageLayout &layout = pageLayout(s.orientation);
    s.cardWidth = layout.cardWidth;
    s.cardHeight = layout.cardHeight;
    s.cardPlace = QPointF(layout.cardLeft, layout.cardTop);
    s.shadowPlace = QPointF(layout.shadowLeft, layout.shadowTop);
    s.pageColor = r.color(root, QStringLiteral("pageColor"));
    s.backgroundShown = r.boolean(root, QStringLiteral("background"));

    const QJsonValue list = r.need(root, QStringLiteral("pictures"));
    if (!list.isArray() || list.toArray().size() > MaxPictures)
        r.fail(QStringLiteral("pictures"));
    std::vector<QImage> pictures;
    qint64 budget = MaxAllPictureBytes;
    const QJsonArray array = list.toArray();
    for (qsizetype i = 0; i < array.size() && array.size() <= MaxPictures && r.fault.isEmpty(); ++i)
        pictures.push_back(r.picture(array.at(i), &budget));
    if (!r.fault.isEmpty())
        return refuse(r.fault);
    s.pagePicture = r.pictureAt(root, QStringLiteral("pagePicture"), pictures);
    s.pictureStore = r.pictureAt(root, QStringLiteral("pictureStore"), pictures);
    const QSize landscape(Twips::toPx(LandscapeLayout.cardWidth), Twips::toPx(LandscapeLayout.cardHeight));
    if (const QJsonValue layer = root.value(QStringLiteral("paintedLayer")); layer.isObject()) {
        const QJsonObject tiles = layer.toObject();
        const QImage tile = r.pictureAt(tiles, QStringLiteral("tiles"), pictures);
        const QSize size(int(r.number(tiles, QStringLiteral("width"), 0, 340)),
                         int(r.number(tiles, QStringLiteral("height"), 0, 340)));
        if (tile.isNull() || (size != landscape && size != landscape.transposed()))
            r.fail(QStringLiteral("paintedLayer"));
        else
            s.paintedLayer = tiledLayer(tile, size);
    } else {
        s.paintedLayer = r.pictureAt(root, QStringLiteral("paintedLayer"), pictures);
    }
    s.logo = r.pictureAt(root, QStringLiteral("logo"), pictures);
    // The painted layer is always made at one of the card's two sizes.
    if (!s.paintedLayer.isNull() && s.paintedLayer.size() != landscape &&
        s.paintedLayer.size() != landscape.transposed())
        r.fail(QStringLiteral("paintedLayer"));
    if (s.paintedLayer.hasAlphaChannel())
        s.paintedLayer.convertTo(QImage::Format_ARGB32_Premultiplied);
    else if (!s.paintedLayer.isNull())
        s.paintedLayer.convertTo(QImage::Format_RGB32);

    const QJsonValue elementsValue = r.need(root, QStringLiteral("elements"));
    if (!elementsValue.isObject())
        r.fail(QStringLiteral("elements"));
    const QJsonObject elements = elementsValue.toObject();
    for (const ElementRow &info : ElementTable) {
        if (info.kind == ElementKind::Qr)
            continue;
        const QString name = QLatin1String(info.controlName);
        const QJsonValue value = r.need(elements, name);
        if (!value.isObject()) {
            r.fail(name);
            break;
        }
        const QJsonObject o = value.toObject();
        switch (info.kind) {
        case ElementKind::Text: {
            TextElement &e = s.texts[size_t(info.id)];
            e.id = info.id;
            r.textElement(o, e);
            break;
        }
        case ElementKind::Line:
            s.line.id = info.id;
            r.element(o, s.line);
            break;
        case ElementKind::Logo:
            s.logoElement.id = info.id;
            r.element(o, s.logoElement);
            break;
        case ElementKind::Qr:
            break;
        }
    }
    r.qr(root, s);
    if (!r.fault.isEmpty())
        return refuse(r.fault);
    // Laid out here, with this machine's fonts; the logo's box is its picture's size, as the card keeps it.
    for (TextElement &e : s.texts)
        CardFonts::layout(e);
    if (!s.logo.isNull()) {
        s.logoElement.width = s.logo.width() * Twips::PerPixel;
        s.logoElement.height = s.logo.height() * Twips::PerPixel;
    }
    return true;
}

QString readAll(const QString &path, qint64 limit, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("无法读取文件“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    if (file.size() > limit)
        return QStringLiteral("名片设计文件太大，无法安全打开。");
    *bytes = file.read(limit + 1);
    if (bytes->size() > limit)
        return QStringLiteral("名片设计文件太大，无法安全打开。");
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("无法读取文件“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return QString();
}
} // namespace

QString pathFor(const QString &picturePath)
{
    // Only a picture saved by the program ("NAME.bmp", as the save panel names it) has a design; a JPEG
    // or "NAME.BMP" put there by hand has none, so no two pictures can share one design file.
    if (!picturePath.endsWith(PictureSuffix, Qt::CaseSensitive))
        return QString();
    return picturePath.chopped(PictureSuffix.size()) + DesignSuffix;
}

QString pictureFor(const QString &designPath)
{
    if (!designPath.endsWith(DesignSuffix, Qt::CaseSensitive))
        return QString();
    return designPath.chopped(DesignSuffix.size()) + PictureSuffix;
}

QByteArray encode(const CardModel &card)
{
    return encodeState(card.state(), nullptr);
}

QByteArray encode(const CardModel &card, const QByteArray &pictureFile)
{
    return encodeState(card.state(), &pictureFile);
}

bool decode(const QByteArray &bytes, CardModel &card, QString *reason)
{
    CardState state;
    if (!decodeState(bytes, state, reason))
        return false;
    card.restore(state);
    return true;
}

bool readFile(const QString &path, CardModel &card, QString *reason)
{
    QByteArray bytes;
    if (const QString problem = readAll(path, MaxFileBytes, &bytes); !problem.isEmpty()) {
        if (reason)
            *reason = problem;
        return false;
    }
    CardState state;
    QJsonObject stamp;
    if (!decodeState(bytes, state, reason, &stamp))
        return false;
    // The picture beside it must still be the one the design was saved with.
    const QString picturePath = pictureFor(path);
    if (!stamp.isEmpty() && !picturePath.isEmpty() && QFileInfo::exists(picturePath)) {
        QByteArray picture;
        const qint64 size = qint64(stamp.value(QStringLiteral("size")).toDouble(-1));
        const bool same = QFileInfo(picturePath).size() == size &&
                          readAll(picturePath, MaxFileBytes, &picture).isEmpty() &&
                          pictureHash(picture) == stamp.value(StampHash).toString().toLatin1();
        if (!same) {
            if (reason)
                *reason =
                    QStringLiteral("名片图片与它的设计文件不一致（图片在保存之后被替换了，或上次保存没有"
                                   "完成），无法按设计打开。请重新设计后再保存一次。");
            return false;
        }
    }
    card.restore(state);
    return true;
}

QString writeWithPicture(const QString &picturePath, const QImage &picture, const CardModel &card)
{
    QByteArray bmp;
    if (const QString reason = SafeFile::encodeImage(picture, "bmp", &bmp); !reason.isEmpty())
        return reason;
    const QString designPath = pathFor(picturePath);
    if (designPath.isEmpty())
        return SafeFile::write(picturePath, bmp);
    // The picture first: cut off between the two renames, the folder holds the new picture and the design
    // of the old one, which its stamp tells apart and opening refuses.
    return SafeFile::writeTogether({{picturePath, bmp}, {designPath, encode(card, bmp)}});
}
} // namespace CardDesign
