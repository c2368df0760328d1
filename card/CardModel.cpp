#include "card/CardModel.h"

#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/TilePicture.h"
#include "card/Twips.h"

#include <QPainter>
#include <QRectF>
#include <algorithm>

namespace {
struct DefaultTextRow {
    const char *text;
    double sizePt;
    bool bold;
    VbColor color;
    bool alignRight;
};

// The default card's texts, in the order of the element identity table; their places are the landscape
// layout's.
constexpr DefaultTextRow TextDefaults[TextElementCount] = {
    {"张三", 18, true, 0x00400000, true},
    {"无业游民", 9, false, 0x00400000, true},
    {"Lorvik工作室", 15, true, 0x00800000, false},
    {"地址：杭州市西湖区青芝坞路88号3幢201室", 9, false, 0x00400000, false},
    {"邮政编码：310013", 9, false, 0x00400000, false},
    {"传真：0571-88867702", 9, false, 0x00400000, true},
    {"电话：0571-88867701", 9, false, 0x00400000, false},
    {"手机：13905718866", 9, false, 0x00400000, true},
    {"网址：www.lorvik.cn", 9, false, 0x00400000, false},
    {"电子信箱：zs@lorvik.cn", 9, false, 0x00400000, true},
};
// The default address box wraps at 4950 twips, narrower than the card-wide box the landscape layout gives
// it when the card is turned back to landscape.
constexpr double DefaultAddressWidth = 4950;
constexpr double DefaultLineHeight = 15;

// Every pixel of a premultiplied ARGB image fully opaque.
bool isOpaque(const QImage &image)
{
    Q_ASSERT(image.format() == QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}
} // namespace

CardModel::CardModel(QObject *parent) : QObject(parent), m_motto(DefaultMotto), m_history(nullptr)
{
    m_state.pageColor = VbColors::WindowBackground;
    for (int i = 0; i < TextElementCount; ++i) {
        const DefaultTextRow &d = TextDefaults[i];
        TextElement &e = m_state.texts[size_t(i)];
        e.id = ElementId(i);
        e.text = QString::fromUtf8(d.text);
        e.sizePt = d.sizePt;
        e.bold = d.bold;
        e.color = d.color;
        e.alignRight = d.alignRight;
        e.wordWrap = e.id == ElementId::LabAdd;
    }
    m_state.line = CardElement{ElementId::Hline, 0, 0, 0, DefaultLineHeight, true, 0x00000000};
    m_state.logoElement =
        CardElement{ElementId::PicCardLogo, 0, 0, 1200, 975, true, 0}; // until the logo is set
    applyLayout(LandscapeLayout);
    m_state.texts[size_t(ElementId::LabAdd)].width = DefaultAddressWidth;
    for (TextElement &e : m_state.texts)
        CardFonts::layout(e);
    QImage logo(Assets::Logo);
    if (!logo.isNull())
        setLogo(logo);
    QImage tile(Assets::WorkTile);
    m_state.pictureStore = tile.isNull() ? QImage() : tile;
    // Hidden at first, in the card's top-right corner.
    updateQr();
    m_state.qr.left = std::max(0.0, m_state.cardWidth - m_state.qr.width);
    // Made last: building the default card is no step.
    m_history = new CardHistory(this);
}

QString CardModel::elementName(ElementId id)
{
    const ElementRow &info = elementInfo(id);
    return QString::fromUtf8(info.listEntry ? info.listEntry : info.checkCaption);
}

void CardModel::record(const QString &description, const QString &mergeKey)
{
    if (m_history)
        m_history->aboutToChange(description, mergeKey);
}

void CardModel::record(const char *what, ElementId id, const QString &mergeKey)
{
    if (m_history)
        m_history->aboutToChange(QString::fromUtf8(what) + QLatin1Char(' ') + elementName(id), mergeKey);
}

CardState CardModel::state() const
{
    return m_state;
}

void CardModel::restore(const CardState &s)
{
    const CardState old = m_state;
    m_state = s;
    updateQr();

    // Only what really changed is announced, so an undo repaints and refreshes no more than it must.
    if (old.orientation != s.orientation || old.cardWidth != s.cardWidth || old.cardHeight != s.cardHeight ||
        old.cardPlace != s.cardPlace || old.shadowPlace != s.shadowPlace)
        emit orientationChanged(m_state.orientation);
    if (old.backgroundShown != s.backgroundShown)
        emit backgroundShownChanged(m_state.backgroundShown);
    if (!old.samePage(s))
        emit pageChanged();
    for (int i = 0; i < ElementCount; ++i) {
        const ElementId id = ElementId(i);
        const bool same = isText(id) ? sameText(old.texts[size_t(i)], s.texts[size_t(i)])
                                     : sameElement(old.element(id), s.element(id)) &&
                                           (id != ElementId::PicCardLogo || samePicture(old.logo, s.logo)) &&
                                           (id != ElementId::PicQr || old.qrOptions == s.qrOptions);
        if (!same)
            emit elementChanged(id);
    }
    emit changed();
    emit restored();
}

QSize CardModel::cardSizePx() const
{
    return QSize(Twips::toPx(m_state.cardWidth), Twips::toPx(m_state.cardHeight));
}

void CardModel::applyLayout(const PageLayout &layout)
{
    m_state.cardPlace = QPointF(layout.cardLeft, layout.cardTop);
    m_state.cardWidth = layout.cardWidth;
    m_state.cardHeight = layout.cardHeight;
    m_state.shadowPlace = QPointF(layout.shadowLeft, layout.shadowTop);
    for (const ElementPlaceRow &p : layout.places) {
        CardElement &e = mutableElement(p.id);
        e.left = p.left;
        e.top = p.top;
        if (p.id == ElementId::Hline) {
            e.width = m_state.cardWidth - layout.lineWidthMargin;
        } else if (p.id == ElementId::LabAdd) {
            TextElement &add = mutableText(p.id);
            add.autoSize = layout.addressAutoSize;
            if (layout.addressAutoSize) {
                add.width = m_state.cardWidth;
            } else {
                add.width = m_state.cardWidth - layout.addressWidthMargin;
                add.height = layout.addressFixedHeight;
            }
        }
    }
}

void CardModel::setOrientation(Orientation o)
{
    record(QStringLiteral("页面方向"));
    m_state.orientation = o;
    applyLayout(pageLayout(o));
    CardFonts::layout(mutableText(ElementId::LabAdd));
    keepQrInside();
    // The painted layer is deliberately left as it was: the page is not tiled again for the new shape.
    emit orientationChanged(o);
    for (int i = 0; i < ElementCount; ++i)
        emit elementChanged(ElementId(i));
    emit changed();
}

void CardModel::setPageColor(VbColor c)
{
    record(QStringLiteral("页面颜色"));
    m_state.pageColor = c;
    clearPaintedLayer();
    emit pageChanged();
    emit changed();
}

void CardModel::setPagePicture(const QImage &picture)
{
    record(QStringLiteral("页面图片"));
    m_state.pagePicture = picture;
    clearPaintedLayer();
    emit pageChanged();
    emit changed();
}

void CardModel::tilePage(const QImage &picture)
{
    record(QStringLiteral("页面纸纹"));
    const QSize size = cardSizePx();
    if (m_state.paintedLayer.size() != size) {
        // Keep what was painted for an earlier shape under the new tiles.
        QImage grown(size, QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        if (!m_state.paintedLayer.isNull()) {
            QPainter p(&grown);
            p.drawImage(0, 0, m_state.paintedLayer);
        }
        m_state.paintedLayer = grown;
    }
    {
        QPainter p(&m_state.paintedLayer);
        TilePicture(p, size, picture);
    }
    // Usually an opaque picture now covers the whole layer. It is then kept without an alpha channel, so
    // that drawing the card copies it rather than blending every pixel; the pixels are the same.
    if (m_state.paintedLayer.hasAlphaChannel() && isOpaque(m_state.paintedLayer))
        m_state.paintedLayer.convertTo(QImage::Format_RGB32);
    emit pageChanged();
    emit changed();
}

void CardModel::clearPaintedLayer()
{
    m_state.paintedLayer = QImage();
}

void CardModel::setPictureStore(const QImage &picture)
{
    record(QStringLiteral("页面图片"));
    m_state.pictureStore = picture;
}

void CardModel::setBackgroundShown(bool shown)
{
    if (shown == m_state.backgroundShown)
        return;
    record(shown ? QStringLiteral("显示 背景") : QStringLiteral("隐藏 背景"));
    m_state.backgroundShown = shown;
    emit backgroundShownChanged(shown);
    if (shown) {
        setPagePicture(m_state.pictureStore);
        tilePage(m_state.pictureStore);
    } else {
        setPagePicture(QImage());
    }
}

void CardModel::choosePagePicture(const QImage &picture)
{
    setBackgroundShown(true);
    setPictureStore(picture);
    setPagePicture(m_state.pictureStore);
    tilePage(m_state.pictureStore);
}

const CardElement &CardModel::element(ElementId id) const
{
    if (isText(id))
        return m_state.texts[size_t(id)];
    if (id == ElementId::PicQr)
        return m_state.qr;
    return id == ElementId::Hline ? m_state.line : m_state.logoElement;
}

const TextElement &CardModel::textElement(ElementId id) const
{
    Q_ASSERT(isText(id));
    return m_state.texts[size_t(id)];
}

CardElement &CardModel::mutableElement(ElementId id)
{
    if (isText(id))
        return m_state.texts[size_t(id)];
    if (id == ElementId::PicQr)
        return m_state.qr;
    return id == ElementId::Hline ? m_state.line : m_state.logoElement;
}

TextElement &CardModel::mutableText(ElementId id)
{
    Q_ASSERT(isText(id));
    return m_state.texts[size_t(id)];
}

void CardModel::relayoutText(ElementId id)
{
    CardFonts::layout(mutableText(id));
    // The code says the texts: it changes with them, in the same step.
    if (updateQr())
        emit elementChanged(ElementId::PicQr);
    elementDidChange(id);
}

void CardModel::elementDidChange(ElementId id)
{
    emit elementChanged(id);
    emit changed();
}

void CardModel::setText(ElementId id, const QString &text)
{
    if (!isText(id))
        return;
    // Typing into one text is one step until something else is done.
    record("文字", id, QStringLiteral("text:%1").arg(int(id)));
    mutableText(id).text = text;
    relayoutText(id);
}

void CardModel::setFontFace(ElementId id, const QString &face)
{
    if (!isText(id))
        return;
    record("字体", id);
    mutableText(id).face = face;
    relayoutText(id);
}

void CardModel::setFontSize(ElementId id, double points)
{
    if (!isText(id) || !(points > 0))
        return;
    record("字号", id);
    mutableText(id).sizePt = points;
    relayoutText(id);
}

void CardModel::setStyle(ElementId id, bool bold, bool italic)
{
    if (!isText(id))
        return;
    record("字形", id);
    TextElement &e = mutableText(id);
    e.bold = bold;
    e.italic = italic;
    relayoutText(id);
}

void CardModel::setForeColor(ElementId id, VbColor c)
{
    if (id == ElementId::PicCardLogo || id == ElementId::PicQr)
        return;
    record("颜色", id);
    mutableElement(id).color = c;
    elementDidChange(id);
}

void CardModel::setAllForeColors(VbColor c)
{
    const CardHistory::Step step(history(), QStringLiteral("文字颜色"));
    for (ElementId id : ForegroundOrder)
        setForeColor(id, c);
    setForeColor(ElementId::Hline, c);
}

void CardModel::setVisible(ElementId id, bool visible)
{
    CardElement &e = mutableElement(id);
    if (e.visible == visible)
        return;
    record(visible ? "显示" : "隐藏", id);
    e.visible = visible;
    // A hidden text is left out of the code.
    if (isText(id) && updateQr())
        emit elementChanged(ElementId::PicQr);
    elementDidChange(id);
}

void CardModel::moveElement(ElementId id, double left, double top)
{
    record("移动", id);
    CardElement &e = mutableElement(id);
    e.left = left;
    e.top = top;
    elementDidChange(id);
}

void CardModel::setLineSize(double width, double height)
{
    // A scroll bar held down or clicked again and again is one step per bar.
    if (width != m_state.line.width)
        record(QStringLiteral("直线宽度"), QStringLiteral("line:width"));
    else if (height != m_state.line.height)
        record(QStringLiteral("直线高度"), QStringLiteral("line:height"));
    m_state.line.width = width;
    m_state.line.height = height;
    elementDidChange(ElementId::Hline);
}

void CardModel::setAddressWidth(double width)
{
    record(QStringLiteral("地址每行字数"), QStringLiteral("address:width"));
    mutableText(ElementId::LabAdd).width = width;
    relayoutText(ElementId::LabAdd);
}

void CardModel::setAddressAutoSize(bool on)
{
    record(QStringLiteral("地址每行字数"), QStringLiteral("address:width"));
    mutableText(ElementId::LabAdd).autoSize = on;
    relayoutText(ElementId::LabAdd);
}

void CardModel::setLogo(const QImage &picture)
{
    record(QStringLiteral("标志图片"));
    m_state.logo = picture;
    m_state.logoElement.width = picture.width() * Twips::PerPixel;
    m_state.logoElement.height = picture.height() * Twips::PerPixel;
    elementDidChange(ElementId::PicCardLogo);
}

bool CardModel::updateQr()
{
    const QByteArray text = ContactCode::text(ContactCode::fromTexts(m_state.texts, m_state.qrOptions.fields),
                                              m_state.qrOptions.format);
    const int modulePx = std::clamp(m_state.qrOptions.modulePx, MinQrModulePx, MaxQrModulePx);
    bool changed = false;
    if (text != m_qrText) {
        m_qrText = text;
        m_qrCode = QrCode::encode(text);
        changed = true;
    }
    if (changed || modulePx != m_qrImageModulePx || m_state.qr.color != m_qrImageColor ||
        m_qrImage.isNull() != m_qrCode.isNull()) {
        m_qrImage = m_qrCode.image(modulePx, VbColors::toQColor(m_state.qr.color));
        m_qrImageModulePx = modulePx;
        m_qrImageColor = m_state.qr.color;
        changed = true;
    }
    // The box is the code with its quiet zone; with no code it keeps its place and takes no room.
    const double side = m_qrCode.sizeWithQuietZone() * modulePx * Twips::PerPixel;
    if (side != m_state.qr.width) {
        m_state.qr.width = side;
        m_state.qr.height = side;
        // A code cut off by the card's edge would not scan: grown, it moves in as far as it must.
        keepQrInside();
    }
    return changed;
}

void CardModel::keepQrInside()
{
    CardElement &e = m_state.qr;
    // Moved in by the shortest way; a code larger than the card keeps to its top-left corner.
    e.left = std::max(0.0, std::min(e.left, m_state.cardWidth - e.width));
    e.top = std::max(0.0, std::min(e.top, m_state.cardHeight - e.height));
}

void CardModel::setQrFields(unsigned fields)
{
    fields &= ContactCode::AllFields;
    if (fields == m_state.qrOptions.fields)
        return;
    record(QStringLiteral("二维码内容"));
    m_state.qrOptions.fields = fields;
    updateQr();
    elementDidChange(ElementId::PicQr);
}

void CardModel::setQrFormat(ContactFormat format)
{
    if (format == m_state.qrOptions.format)
        return;
    record(QStringLiteral("二维码格式"));
    m_state.qrOptions.format = format;
    updateQr();
    elementDidChange(ElementId::PicQr);
}

void CardModel::setQrModuleSize(int px)
{
    px = std::clamp(px, MinQrModulePx, MaxQrModulePx);
    if (px == m_state.qrOptions.modulePx)
        return;
    record(QStringLiteral("二维码大小"));
    m_state.qrOptions.modulePx = px;
    updateQr();
    elementDidChange(ElementId::PicQr);
}

bool CardModel::setQrColor(VbColor c)
{
    if (ContactCode::contrastRatio(VbColors::toQColor(c), Qt::white) < ContactCode::MinContrast)
        return false;
    if (c == m_state.qr.color)
        return true;
    record(QStringLiteral("二维码颜色"));
    m_state.qr.color = c;
    updateQr();
    elementDidChange(ElementId::PicQr);
    return true;
}

std::optional<ElementId> CardModel::elementAt(const QPointF &twips) const
{
    for (auto it = StackingOrder.rbegin(); it != StackingOrder.rend(); ++it) {
        const CardElement &e = element(*it);
        if (!e.visible)
            continue;
        if (QRectF(e.left, e.top, e.width, e.height).contains(twips))
            return *it;
    }
    return std::nullopt;
}

void CardModel::setMotto(const QString &motto)
{
    if (motto == m_motto)
        return;
    m_motto = motto;
    emit mottoChanged(motto);
}
