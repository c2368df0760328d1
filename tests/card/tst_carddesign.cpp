// The design file beside a saved card: saved, opened and saved again it gives the same picture for cards
// that use every property; damaged, truncated, foreign, newer or hostile files are refused with a reason
// and change nothing; a design whose picture was replaced is refused.
#include "assets/Assets.h"
#include "card/CardDesign.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/SafeFile.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {
using CardSetup = std::function<void(CardModel &)>;

// The page panel's texture choice and the picture panel's page picture, as those panels do it.
void tilePage(CardModel &card, const QImage &picture)
{
    card.setBackgroundShown(true);
    card.setPictureStore(picture);
    card.setPagePicture(card.pictureStore());
    card.tilePage(card.pictureStore());
}

// A picture with straight and semi-transparent pixels, as a GIF or PNG from disk may have.
QImage translucentPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgba(x * 7 % 256, y * 13 % 256, (x + y) % 256, (x * y) % 3 ? 255 : x % 256));
    return image;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything of the card but the pictures' pixel format.
void compareProperties(const CardState &a, const CardState &b)
{
    QCOMPARE(a.orientation, b.orientation);
    QCOMPARE(a.cardPlace, b.cardPlace);
    QCOMPARE(a.pageColor, b.pageColor);
    QCOMPARE(a.backgroundShown, b.backgroundShown);
    const std::pair<const QImage &, const QImage &> pictures[] = {{a.pagePicture, b.pagePicture},
                                                                  {a.paintedLayer, b.paintedLayer},
                                                                  {a.pictureStore, b.pictureStore},
                                                                  {a.logo, b.logo}};
    for (const auto &[mine, theirs] : pictures) {
        QCOMPARE(mine.isNull(), theirs.isNull());
        QCOMPARE(mine.size(), theirs.size());
        QCOMPARE(mine.convertToFormat(QImage::Format_ARGB32), theirs.convertToFormat(QImage::Format_ARGB32));
    }
    for (int i = 0; i < ElementCount; ++i) {
        const ElementId id = ElementId(i);
        QVERIFY2(sameElement(a.element(id), b.element(id)), elementInfo(id).controlName);
        if (isText(id)) {
            QVERIFY2(sameText(a.texts[size_t(i)], b.texts[size_t(i)]), elementInfo(id).controlName);
            QCOMPARE(a.texts[size_t(i)].lines, b.texts[size_t(i)].lines);
        }
    }
}

QByteArray pngHeaderWithSize(int width, int height)
{
    // A real PNG whose header claims another size (the header's checksum made to match).
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "png");
    auto put32 = [&png](int at, quint32 v) {
        for (int k = 0; k < 4; ++k)
            png[at + k] = char((v >> (24 - 8 * k)) & 0xFF);
    };
    put32(16, quint32(width));
    put32(20, quint32(height));
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 12 + 4 + 13; ++i) {
        crc ^= uchar(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put32(29, ~crc);
    return png;
}
} // namespace

class TstCardDesign : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void namesBesideThePicture();
    void saveOpenSaveGivesTheSamePicture_data();
    void saveOpenSaveGivesTheSamePicture();
    void picturesAreStoredOnce();
    void badDesignChangesNothing_data();
    void badDesignChangesNothing();
    void newerVersionSaysSo();
    void replacedPictureIsRefused();
    void failedSaveKeepsBothFiles();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstCardDesign::namesBesideThePicture()
{
    QCOMPARE(CardDesign::pathFor(QStringLiteral("/a/mycard/名片1.bmp")),
             QStringLiteral("/a/mycard/名片1.card"));
    QCOMPARE(CardDesign::pathFor(QStringLiteral("/a/mycard/.bmp")), QStringLiteral("/a/mycard/.card"));
    QCOMPARE(CardDesign::pictureFor(QStringLiteral("/a/mycard/名片1.card")),
             QStringLiteral("/a/mycard/名片1.bmp"));
    // A JPEG or an upper-case name put there by hand has no design: it would share one with NAME.bmp.
    QVERIFY(CardDesign::pathFor(QStringLiteral("/a/mycard/名片1.jpg")).isEmpty());
    QVERIFY(CardDesign::pathFor(QStringLiteral("/a/mycard/名片1.BMP")).isEmpty());
}

void TstCardDesign::saveOpenSaveGivesTheSamePicture_data()
{
    QTest::addColumn<CardSetup>("setup");
    QTest::newRow("default card") << CardSetup([](CardModel &) {});
    QTest::newRow("portrait, texture, hidden items, fonts") << CardSetup([](CardModel &c) {
        c.setOrientation(Orientation::Portrait);
        tilePage(c, QImage(Assets::texture(7)));
        c.setVisible(ElementId::LabFax, false);
        c.setVisible(ElementId::Hline, false);
        c.setVisible(ElementId::PicCardLogo, false);
        c.setFontFace(ElementId::LabName, QStringLiteral("DejaVu Sans"));
        c.setFontSize(ElementId::LabJob, 12);
        c.setStyle(ElementId::LabOffice, true, true);
        c.setText(ElementId::LabAdd,
                  QStringLiteral("地址：很长很长的地址，要排成好几行才能放得下的地址，第二行\r\n第三行"));
    });
    QTest::newRow("page picture with transparency, own logo, colours") << CardSetup([](CardModel &c) {
        tilePage(c, translucentPicture(150, 90));
        c.setLogo(translucentPicture(40, 30));
        c.moveElement(ElementId::PicCardLogo, -200, 2900); // partly off the card
        c.setForeColor(ElementId::LabName, VbColors::rgb(200, 10, 30));
        c.setForeColor(ElementId::LabMail, VbColors::GrayText);
        c.setForeColor(ElementId::Hline, VbColors::rgb(0, 128, 255));
        c.setLineSize(3000, 600);
        c.setAddressWidth(1800);
        c.setText(ElementId::LabTel, QString());
    });
    QTest::newRow("tiled in landscape, then turned, background off") << CardSetup([](CardModel &c) {
        tilePage(c, QImage(Assets::texture(2)));
        c.setOrientation(Orientation::Portrait);
        c.setPageColor(VbColors::rgb(250, 240, 200));
        tilePage(c, translucentPicture(20, 400));
        c.setBackgroundShown(false);
        c.moveElement(ElementId::LabName, 12.5, -7.5);
    });
    QTest::newRow("page colour and picture, no tiles") << CardSetup([](CardModel &c) {
        c.setPagePicture(translucentPicture(100, 300));
        c.setPageColor(VbColors::ActiveCaption);
        c.setStyle(ElementId::LabName, false, true);
    });
}

void TstCardDesign::saveOpenSaveGivesTheSamePicture()
{
    QFETCH(CardSetup, setup);
    CardModel card;
    setup(card);
    const QString picture = path(QStringLiteral("名片.bmp"));
    QCOMPARE(CardDesign::writeWithPicture(picture, renderCard(card), card), QString());
    const QByteArray first = fileBytes(picture);
    // The picture is the BMP the save panel always wrote.
    QByteArray plain;
    QCOMPARE(SafeFile::encodeImage(renderCard(card), "bmp", &plain), QString());
    QCOMPARE(first, plain);

    CardModel opened;
    QString reason;
    QVERIFY2(CardDesign::readFile(CardDesign::pathFor(picture), opened, &reason), qPrintable(reason));
    compareProperties(card.state(), opened.state());
    QCOMPARE(renderCard(opened), renderCard(card));

    QCOMPARE(CardDesign::writeWithPicture(picture, renderCard(opened), opened), QString());
    QCOMPARE(fileBytes(picture), first);
    // Once opened, the design itself is stable too.
    CardModel again;
    QVERIFY(CardDesign::decode(fileBytes(CardDesign::pathFor(picture)), again, &reason));
    QCOMPARE(CardDesign::encode(again), CardDesign::encode(opened));
}

void TstCardDesign::picturesAreStoredOnce()
{
    CardModel card;
    tilePage(card, translucentPicture(64, 64)); // page picture and held picture are one
    QJsonObject root = QJsonDocument::fromJson(CardDesign::encode(card)).object();
    QCOMPARE(root.value("pagePicture").toInt(), root.value("pictureStore").toInt());
    // The tiles are that picture again, not a picture of their own.
    QCOMPARE(root.value("paintedLayer").toObject().value("tiles").toInt(),
             root.value("pictureStore").toInt());
    QCOMPARE(root.value("pictures").toArray().size(), 2); // that one and the logo

    // Tiles over what an earlier shape left are stored as they are.
    card.setOrientation(Orientation::Portrait);
    card.tilePage(card.pictureStore());
    root = QJsonDocument::fromJson(CardDesign::encode(card)).object();
    QVERIFY(!root.value("paintedLayer").isObject());
    QCOMPARE(root.value("pictures").toArray().size(), 3);
}

void TstCardDesign::badDesignChangesNothing_data()
{
    CardModel source;
    tilePage(source, QImage(Assets::texture(3)));
    const QByteArray good = CardDesign::encode(source);
    const QJsonObject root = QJsonDocument::fromJson(good).object();
    auto changed = [&root](const std::function<void(QJsonObject &)> &change) {
        QJsonObject o = root;
        change(o);
        return QJsonDocument(o).toJson();
    };
    auto element = [&changed](const char *name, const char *key, const QJsonValue &value) {
        return changed([=](QJsonObject &o) {
            QJsonObject elements = o.value("elements").toObject();
            QJsonObject e = elements.value(name).toObject();
            if (value.isUndefined())
                e.remove(key);
            else
                e.insert(key, value);
            elements.insert(name, e);
            o.insert("elements", elements);
        });
    };
    auto picture = [&changed](const QByteArray &bytes) {
        return changed([=](QJsonObject &o) {
            QJsonArray pictures = o.value("pictures").toArray();
            pictures.replace(0, QString::fromLatin1(bytes.toBase64()));
            o.insert("pictures", pictures);
        });
    };

    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("cut just before the end") << good.left(good.size() - 3);
    QTest::newRow("not JSON") << QByteArray("BM\x36\x00\x00\x00 not a design", 19);
    QTest::newRow("a JSON list") << QByteArray("[1, 2, 3]");
    QTest::newRow("another program's JSON") << changed([](QJsonObject &o) { o.insert("format", "other"); });
    QTest::newRow("version as text") << changed([](QJsonObject &o) { o.insert("version", "1"); });
    QTest::newRow("version 0") << changed([](QJsonObject &o) { o.insert("version", 0); });
    QTest::newRow("orientation unknown") << changed([](QJsonObject &o) { o.insert("orientation", "round"); });
    QTest::newRow("page colour not a colour")
        << changed([](QJsonObject &o) { o.insert("pageColor", 0x12000000); });
    QTest::newRow("page colour negative") << changed([](QJsonObject &o) { o.insert("pageColor", -1); });
    QTest::newRow("background missing") << changed([](QJsonObject &o) { o.remove("background"); });
    QTest::newRow("no elements") << changed([](QJsonObject &o) { o.remove("elements"); });
    QTest::newRow("an element missing") << changed([](QJsonObject &o) {
        QJsonObject elements = o.value("elements").toObject();
        elements.remove("LabMail");
        o.insert("elements", elements);
    });
    QTest::newRow("left as text") << element("LabName", "left", "12");
    QTest::newRow("left astronomical") << element("LabName", "left", 1e300);
    QTest::newRow("negative width") << element("Hline", "width", -5);
    QTest::newRow("font size 0") << element("LabJob", "size", 0);
    QTest::newRow("font size huge") << element("LabJob", "size", 1e9);
    QTest::newRow("text not text") << element("LabJob", "text", 5);
    QTest::newRow("text far too long") << element("LabJob", "text", QString(100000, QChar(u'字')));
    QTest::newRow("bold missing") << element("LabOffice", "bold", QJsonValue::Undefined);
    QTest::newRow("colour fractional") << element("LabOffice", "color", 1.5);
    QTest::newRow("picture index out of range") << changed([](QJsonObject &o) { o.insert("logo", 7); });
    QTest::newRow("picture index fractional") << changed([](QJsonObject &o) { o.insert("logo", 0.5); });
    QTest::newRow("pictures not a list") << changed([](QJsonObject &o) { o.insert("pictures", "x"); });
    QTest::newRow("picture not base64") << changed([](QJsonObject &o) {
        o.insert("pictures", QJsonArray{"!!!!", "AAAA"});
    });
    QTest::newRow("picture not a PNG") << picture(QByteArray(300, 'x'));
    QTest::newRow("picture truncated") << picture(
        QByteArray::fromBase64(root.value("pictures").toArray().at(0).toString().toLatin1()).left(60));
    QTest::newRow("picture claims 30000 x 30000") << picture(pngHeaderWithSize(30000, 30000));
    QTest::newRow("painted layer of a wrong size") << changed([](QJsonObject &o) {
        QJsonArray pictures = o.value("pictures").toArray();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(10, 10, QImage::Format_RGB32).save(&buffer, "png");
        pictures.append(QString::fromLatin1(png.toBase64()));
        o.insert("paintedLayer", pictures.size() - 1);
        o.insert("pictures", pictures);
    });
    QTest::newRow("tiles of a wrong size") << changed([](QJsonObject &o) {
        o.insert("paintedLayer", QJsonObject{{"tiles", 0}, {"width", 10}, {"height", 10}});
    });
    QTest::newRow("tiles of no picture") << changed([](QJsonObject &o) {
        o.insert("paintedLayer", QJsonObject{{"tiles", -1}, {"width", 340}, {"height", 207}});
    });
}

void TstCardDesign::badDesignChangesNothing()
{
    QFETCH(QByteArray, bytes);
    CardModel card;
    card.setText(ElementId::LabName, QStringLiteral("李四"));
    const CardState before = card.state();
    const QImage drawn = renderCard(card);
    QSignalSpy changes(&card, &CardModel::changed);
    QString reason;
    QVERIFY(!CardDesign::decode(bytes, card, &reason));
    QVERIFY(!reason.isEmpty());
    QVERIFY2(reason.contains(QStringLiteral("无法打开")) || reason.contains(QStringLiteral("无法解码")),
             qPrintable(reason));
    QCOMPARE(changes.count(), 0);
    QVERIFY(card.state() == before);
    QCOMPARE(renderCard(card), drawn);

    // The same through a file.
    QFile file(path(QStringLiteral("坏.card")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QVERIFY(!CardDesign::readFile(file.fileName(), card, &reason));
    QVERIFY(card.state() == before);
}

void TstCardDesign::newerVersionSaysSo()
{
    QJsonObject root = QJsonDocument::fromJson(CardDesign::encode(CardModel())).object();
    root.insert("version", CardDesign::Version + 1);
    root.insert("somethingNew", QJsonObject{{"a", 1}});
    CardModel card;
    const CardState before = card.state();
    QString reason;
    QVERIFY(!CardDesign::decode(QJsonDocument(root).toJson(), card, &reason));
    QVERIFY2(reason.contains(QStringLiteral("更新版本")), qPrintable(reason));
    QVERIFY(card.state() == before);

    // What this version does not know, in a file of its own version, is passed over.
    root.insert("version", CardDesign::Version);
    QVERIFY(CardDesign::decode(QJsonDocument(root).toJson(), card, &reason));
}

void TstCardDesign::replacedPictureIsRefused()
{
    CardModel saved;
    saved.setText(ElementId::LabName, QStringLiteral("王五"));
    const QString picture = path(QStringLiteral("王五.bmp"));
    QCOMPARE(CardDesign::writeWithPicture(picture, renderCard(saved), saved), QString());

    // Another picture under the design's name (a save cut off between the two files leaves the new picture
    // beside the old design; so does a picture copied over it by hand).
    CardModel other;
    QCOMPARE(SafeFile::writeImage(picture, renderCard(other), "bmp"), QString());
    CardModel card;
    const CardState before = card.state();
    QString reason;
    QVERIFY(!CardDesign::readFile(CardDesign::pathFor(picture), card, &reason));
    QVERIFY2(reason.contains(QStringLiteral("不一致")), qPrintable(reason));
    QVERIFY(card.state() == before);

    // A missing file says why.
    QVERIFY(!CardDesign::readFile(path(QStringLiteral("没有.card")), card, &reason));
    QVERIFY(reason.contains(QStringLiteral("没有.card")));
}

void TstCardDesign::failedSaveKeepsBothFiles()
{
    CardModel card;
    const QString picture = path(QStringLiteral("名片.bmp"));
    QCOMPARE(CardDesign::writeWithPicture(picture, renderCard(card), card), QString());
    const QByteArray oldPicture = fileBytes(picture);
    const QByteArray oldDesign = fileBytes(CardDesign::pathFor(picture));

    // The design cannot be replaced: neither file changes.
    QFile::setPermissions(CardDesign::pathFor(picture), QFile::ReadOwner);
    card.setText(ElementId::LabName, QStringLiteral("赵六"));
    QVERIFY(!CardDesign::writeWithPicture(picture, renderCard(card), card).isEmpty());
    QCOMPARE(fileBytes(picture), oldPicture);
    QCOMPARE(fileBytes(CardDesign::pathFor(picture)), oldDesign);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
}

QTEST_MAIN(TstCardDesign)
#include "tst_carddesign.moc"
