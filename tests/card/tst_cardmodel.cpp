// The card document: default card, orientation layouts, tiling, the page drawing rule, colours, fonts.
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/TilePicture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

class TstCardModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CardFonts::install(); }

    void defaultCard_data();
    void defaultCard();
    void songFaceMetrics();
    void textBoxGrowsRightAndDown();
    void addressWrapsAtItsWidth();
    void layouts_data();
    void layouts();
    void portraitAndBackRestoresLandscape();
    void tileCounts_data();
    void tileCounts();
    void pageDrawingRule();
    void backgroundSwitchRunsOnlyOnChange();
    void hiddenElementIsNotDrawn();
    void hitTestPrefersTopmostVisible();
    void boldWithoutABoldFace_data();
    void boldWithoutABoldFace();
    void colourSettingText_data();
    void colourSettingText();
};

void TstCardModel::defaultCard_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<uint>("color");
    QTest::addColumn<bool>("right");
    // clang-format off
    QTest::newRow("LabName") << int(ElementId::LabName) << 4140 << 135 << 18.0 << true << 0x400000u << true;
    QTest::newRow("LabJob") << int(ElementId::LabJob) << 4140 << 585 << 9.0 << false << 0x400000u << true;
    QTest::newRow("LabOffice") << int(ElementId::LabOffice) << 90 << 1755 << 15.0 << true << 0x800000u << false;
    QTest::newRow("LabAdd") << int(ElementId::LabAdd) << 90 << 2160 << 9.0 << false << 0x400000u << false;
    QTest::newRow("LabPost") << int(ElementId::LabPost) << 90 << 2385 << 9.0 << false << 0x400000u << false;
    QTest::newRow("LabTel") << int(ElementId::LabTel) << 90 << 2610 << 9.0 << false << 0x400000u << false;
    QTest::newRow("LabFax") << int(ElementId::LabFax) << 3375 << 2385 << 9.0 << false << 0x400000u << true;
    QTest::newRow("LabMob") << int(ElementId::LabMob) << 3375 << 2610 << 9.0 << false << 0x400000u << true;
    QTest::newRow("LabHttp") << int(ElementId::LabHttp) << 90 << 2835 << 9.0 << false << 0x400000u << false;
    QTest::newRow("LabMail") << int(ElementId::LabMail) << 2835 << 2835 << 9.0 << false << 0x400000u << true;
    // clang-format on
}

void TstCardModel::defaultCard()
{
    QFETCH(int, id);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(uint, color);
    QFETCH(bool, right);
    CardModel card;
    const TextElement &e = card.textElement(ElementId(id));
    QCOMPARE(e.left, double(left));
    QCOMPARE(e.top, double(top));
    QCOMPARE(e.face, QStringLiteral("宋体"));
    QCOMPARE(e.sizePt, points);
    QCOMPARE(e.bold, bold);
    QVERIFY(!e.italic);
    QCOMPARE(e.color, VbColor(color));
    QCOMPARE(e.alignRight, right);
    QVERIFY(e.visible);
    QVERIFY(!e.text.isEmpty());
    // Every default text fits on the card.
    QVERIFY(e.left + e.width <= card.cardWidth());

    const CardElement &line = card.element(ElementId::Hline);
    QCOMPARE(QRectF(line.left, line.top, line.width, line.height), QRectF(90, 2100, 4920, 15));
    QCOMPARE(line.color, VbColor(0));
    QCOMPARE(card.element(ElementId::PicCardLogo).left, 720.0);
    QCOMPARE(card.element(ElementId::PicCardLogo).top, 360.0);
    QCOMPARE(card.pageColor(), VbColors::WindowBackground);
    QVERIFY(card.pagePicture().isNull());
    QVERIFY(card.backgroundShown());
    QCOMPARE(card.cardSizePx(), QSize(340, 207));
}

void TstCardModel::songFaceMetrics()
{
    // 9 pt 宋体 draws 12-pixel full-width and 6-pixel half-width characters, 12 pixels (180 twips) high,
    // in the Song/Ming face.
    const QFont f = CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false);
    QVERIFY2(QFontInfo(f).family().contains(QStringLiteral("UMing")), qPrintable(QFontInfo(f).family()));
    QFontMetrics fm(f);
    QCOMPARE(fm.height(), 12);
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("张三")), 24);
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("Ab")), 12);

    CardModel card;
    card.setText(ElementId::LabJob, QStringLiteral("无业游民"));
    QCOMPARE(card.element(ElementId::LabJob).width, 720.0);
    QCOMPARE(card.element(ElementId::LabJob).height, 180.0);
}

void TstCardModel::textBoxGrowsRightAndDown()
{
    CardModel card;
    card.setText(ElementId::LabFax, QStringLiteral("传真：1"));
    const double left = card.element(ElementId::LabFax).left;
    const double narrow = card.element(ElementId::LabFax).width;
    card.setText(ElementId::LabFax, QStringLiteral("传真：12345678\r\n第二行"));
    QCOMPARE(card.element(ElementId::LabFax).left, left);
    QVERIFY(card.element(ElementId::LabFax).width > narrow);
    QCOMPARE(card.element(ElementId::LabFax).height, 360.0);
    card.setText(ElementId::LabFax, QString());
    QCOMPARE(card.element(ElementId::LabFax).width, 0.0);
    QCOMPARE(card.element(ElementId::LabFax).left, left);
}

void TstCardModel::addressWrapsAtItsWidth()
{
    CardModel card;
    card.setAddressWidth(10 * 180); // ten full-width characters a line
    card.setText(ElementId::LabAdd, QString(25, QChar(0x5730)));
    const TextElement &add = card.textElement(ElementId::LabAdd);
    QCOMPARE(add.width, 1800.0);
    QCOMPARE(add.lines.size(), 3);
    QCOMPARE(add.height, 3 * 180.0);
}

void TstCardModel::layouts_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    const int L = int(Orientation::Landscape), P = int(Orientation::Portrait);
    const struct {
        int o;
        ElementId id;
        int left, top;
    } rows[] = {
        // clang-format off
        {L, ElementId::PicCardLogo, 720, 360}, {L, ElementId::LabName, 4140, 135}, {L, ElementId::LabJob, 4140, 585},
        {L, ElementId::LabOffice, 90, 1755},   {L, ElementId::Hline, 90, 2100},    {L, ElementId::LabAdd, 90, 2160},
        {L, ElementId::LabPost, 90, 2385},     {L, ElementId::LabTel, 90, 2610},   {L, ElementId::LabHttp, 90, 2835},
        {L, ElementId::LabFax, 3375, 2385},    {L, ElementId::LabMail, 2835, 2835}, {L, ElementId::LabMob, 3375, 2610},
        {P, ElementId::PicCardLogo, 250, 300}, {P, ElementId::LabName, 2205, 1575}, {P, ElementId::LabJob, 2205, 1980},
        {P, ElementId::LabOffice, 45, 2900},   {P, ElementId::Hline, 45, 3220},    {P, ElementId::LabAdd, 45, 3310},
        {P, ElementId::LabPost, 45, 3750},     {P, ElementId::LabTel, 45, 3960},   {P, ElementId::LabFax, 45, 4180},
        {P, ElementId::LabMob, 45, 4395},      {P, ElementId::LabMail, 45, 4610},  {P, ElementId::LabHttp, 45, 4830},
        // clang-format on
    };
    for (const auto &r : rows)
        QTest::addRow("%s %s", r.o == L ? "landscape" : "portrait", elementInfo(r.id).controlName)
            << r.o << int(r.id) << r.left << r.top;
}

void TstCardModel::layouts()
{
    QFETCH(int, orientation);
    QFETCH(int, id);
    QFETCH(int, left);
    QFETCH(int, top);
    CardModel card;
    card.moveElement(ElementId(id), -500, 9999); // dragged away first
    card.setOrientation(Orientation(orientation));
    QCOMPARE(card.element(ElementId(id)).left, double(left));
    QCOMPARE(card.element(ElementId(id)).top, double(top));
    if (Orientation(orientation) == Orientation::Portrait) {
        QCOMPARE(card.cardSizePx(), QSize(207, 340));
        QCOMPARE(card.cardPlace(), QPointF(1585, 180));
        QCOMPARE(card.shadowPlace(), QPointF(1675, 270));
        QCOMPARE(card.element(ElementId::Hline).width, 2985.0);
        QCOMPARE(card.element(ElementId::LabAdd).width, 2985.0);
        QCOMPARE(card.element(ElementId::LabAdd).height, 360.0);
    } else {
        QCOMPARE(card.cardSizePx(), QSize(340, 207));
        QCOMPARE(card.cardPlace(), QPointF(540, 1080));
        QCOMPARE(card.element(ElementId::Hline).width, 4920.0);
        QCOMPARE(card.element(ElementId::LabAdd).width, 5100.0);
    }
}

void TstCardModel::portraitAndBackRestoresLandscape()
{
    CardModel card;
    card.setLineSize(1000, 300);
    card.setVisible(ElementId::LabJob, false);
    card.setText(ElementId::LabAdd, QString(80, QChar(0x5730)));
    card.setOrientation(Orientation::Portrait);
    // The fixed portrait box cuts a long address after two lines.
    QCOMPARE(card.element(ElementId::LabAdd).height, 360.0);
    card.setOrientation(Orientation::Landscape);
    QCOMPARE(card.element(ElementId::Hline).width, 4920.0);
    QCOMPARE(card.element(ElementId::Hline).height, 300.0);
    QVERIFY(!card.element(ElementId::LabJob).visible);
    QVERIFY(card.textElement(ElementId::LabAdd).autoSize);
    QCOMPARE(card.element(ElementId::LabAdd).height, 3 * 180.0); // 80 characters, 28 a line
}

void TstCardModel::tileCounts_data()
{
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("32 on landscape") << QSize(340, 207) << QSize(32, 32) << 11 << 7;
    QTest::newRow("32 on portrait") << QSize(207, 340) << QSize(32, 32) << 7 << 11;
    QTest::newRow("exact multiple paints one more") << QSize(320, 64) << QSize(32, 32) << 11 << 3;
    QTest::newRow("larger than the card") << QSize(340, 207) << QSize(500, 400) << 1 << 1;
    QTest::newRow("work area tile") << QSize(413, 367) << QSize(60, 60) << 7 << 7;
}

void TstCardModel::tileCounts()
{
    QFETCH(QSize, target);
    QFETCH(QSize, picture);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const QVector<QPoint> origins = tileOrigins(target, picture);
    QCOMPARE(origins.size(), columns * rows);
    // Column by column, each from top to bottom.
    QCOMPARE(origins.first(), QPoint(0, 0));
    if (origins.size() > 1)
        QCOMPARE(origins.at(1), rows > 1 ? QPoint(0, picture.height()) : QPoint(picture.width(), 0));
    QCOMPARE(origins.last(), QPoint((columns - 1) * picture.width(), (rows - 1) * picture.height()));
}

void TstCardModel::pageDrawingRule()
{
    CardModel card;
    card.setPageColor(VbColors::rgb(10, 20, 30));
    QImage texture(32, 32, QImage::Format_RGB32);
    texture.fill(QColor(200, 100, 50));
    texture.setPixel(31, 31, qRgb(1, 2, 3));
    card.setPagePicture(texture);
    card.tilePage(texture);
    QImage img = renderCard(card);
    QCOMPARE(img.size(), QSize(340, 207));
    QCOMPARE(img.pixel(335, 3), qRgb(200, 100, 50)); // a tile far from the page picture
    QCOMPARE(img.pixel(63, 63), qRgb(1, 2, 3));      // the second tile's corner

    // Setting the colour clears the painted layer; the page picture stays.
    card.setPageColor(VbColors::rgb(10, 20, 30));
    img = renderCard(card);
    QCOMPARE(img.pixel(5, 5), qRgb(200, 100, 50));
    QCOMPARE(img.pixel(335, 3), qRgb(10, 20, 30));

    // Setting the picture to none clears it too.
    card.tilePage(texture);
    card.setPagePicture(QImage());
    QCOMPARE(renderCard(card).pixel(5, 5), qRgb(10, 20, 30));

    // A turn to portrait does not tile again: the lower part stays plain.
    card.setPagePicture(texture);
    card.tilePage(texture);
    card.setOrientation(Orientation::Portrait);
    img = renderCard(card);
    QCOMPARE(img.size(), QSize(207, 340));
    QCOMPARE(img.pixel(100, 100), qRgb(200, 100, 50));
    QCOMPARE(img.pixel(100, 300), qRgb(10, 20, 30));

    // Tiles with see-through pixels let the page colour show between them.
    card.setOrientation(Orientation::Landscape);
    QImage glass(32, 32, QImage::Format_ARGB32);
    glass.fill(Qt::transparent);
    glass.setPixel(0, 0, qRgba(255, 0, 0, 255));
    card.setPageColor(VbColors::rgb(10, 20, 30));
    card.tilePage(glass);
    img = renderCard(card);
    QCOMPARE(img.pixel(224, 96), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(230, 100), qRgb(10, 20, 30));
}

void TstCardModel::backgroundSwitchRunsOnlyOnChange()
{
    CardModel card;
    QImage texture(32, 32, QImage::Format_RGB32);
    texture.fill(Qt::red);
    card.setPictureStore(texture);
    QSignalSpy pages(&card, &CardModel::pageChanged);
    card.setBackgroundShown(true); // already on: nothing runs
    QCOMPARE(pages.count(), 0);
    QVERIFY(card.pagePicture().isNull());
    card.setBackgroundShown(false);
    QVERIFY(card.pagePicture().isNull());
    card.setBackgroundShown(true);
    QCOMPARE(card.pagePicture(), texture);
    QCOMPARE(renderCard(card).pixel(339, 206), qRgb(255, 0, 0));
}

void TstCardModel::hiddenElementIsNotDrawn()
{
    CardModel card;
    card.setPageColor(VbColors::rgb(255, 255, 255));
    card.setLineSize(4920, 300); // a block, easy to find
    const QPoint inside(50, 145);
    QCOMPARE(renderCard(card).pixel(inside), qRgb(0, 0, 0));
    card.setVisible(ElementId::Hline, false);
    QCOMPARE(renderCard(card).pixel(inside), qRgb(255, 255, 255));
    card.setVisible(ElementId::Hline, true);
    QCOMPARE(renderCard(card).pixel(inside), qRgb(0, 0, 0));
}

void TstCardModel::hitTestPrefersTopmostVisible()
{
    CardModel card;
    card.moveElement(ElementId::LabJob, 720, 360); // under the logo's corner
    QCOMPARE(card.elementAt(QPointF(730, 370)), std::optional<ElementId>(ElementId::PicCardLogo));
    card.setVisible(ElementId::PicCardLogo, false);
    QCOMPARE(card.elementAt(QPointF(730, 370)), std::optional<ElementId>(ElementId::LabJob));
    QCOMPARE(card.elementAt(QPointF(5000, 3000)), std::nullopt);
}

// The Song face has no bold style: its bold is made by thickening the strokes, and must show plainly at
// every size of the text panel's list (8 to 60 pt), bitmaps and smoothed outlines alike.
void TstCardModel::boldWithoutABoldFace_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("10.5 pt (bitmap)") << 10.5;
    QTest::newRow("20 pt") << 20.0;
    QTest::newRow("48 pt (64 px)") << 48.0;
    QTest::newRow("60 pt") << 60.0;
}

void TstCardModel::boldWithoutABoldFace()
{
    QFETCH(double, points);
    CardModel card;
    for (int i = 0; i < ElementCount; ++i)
        card.setVisible(ElementId(i), ElementId(i) == ElementId::LabName);
    card.setPagePicture(QImage());
    card.setPageColor(VbColors::rgb(255, 255, 255));
    card.setForeColor(ElementId::LabName, VbColors::rgb(0, 0, 0));
    card.setText(ElementId::LabName, QStringLiteral("张三"));
    card.setFontFace(ElementId::LabName, QStringLiteral("宋体"));
    card.setFontSize(ElementId::LabName, points);
    auto ink = [&card](bool bold) {
        card.setStyle(ElementId::LabName, bold, false);
        const QImage image = renderCard(card);
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += (255 - qGray(image.pixel(x, y))) / 255.0;
        return sum;
    };
    const double regular = ink(false);
    const double bold = ink(true);
    QVERIFY(regular > 0);
    QVERIFY2(bold >= 1.4 * regular, qPrintable(QStringLiteral("%1 vs %2").arg(bold).arg(regular)));
}

void TstCardModel::colourSettingText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("value");
    QTest::newRow("window background") << "-2147483643" << true << 0x80000005u;
    QTest::newRow("dark blue") << "4194304" << true << 0x00400000u;
    QTest::newRow("black") << "0" << true << 0u;
    QTest::newRow("spaces") << " 255 " << true << 255u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("words") << "red" << false << 0u;
    QTest::newRow("fraction") << "1.5" << false << 0u;
    QTest::newRow("too large") << "2147483648" << false << 0u;
    QTest::newRow("too small") << "-2147483649" << false << 0u;
    QTest::newRow("minus one is no colour") << "-1" << false << 0u;
    QTest::newRow("high byte set") << "16777216" << false << 0u;
}

void TstCardModel::colourSettingText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, value);
    const std::optional<VbColor> c = VbColors::fromSettingText(text);
    QCOMPARE(c.has_value(), valid);
    if (valid) {
        QCOMPARE(*c, VbColor(value));
        QCOMPARE(VbColors::toSettingText(*c), text.trimmed());
    }
    QCOMPARE(VbColors::toQColor(VbColors::rgb(1, 2, 3)), QColor(1, 2, 3));
}

QTEST_MAIN(TstCardModel)
#include "tst_cardmodel.moc"
