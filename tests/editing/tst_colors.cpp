// Colours on the card: the colour strip and its readout, the colour panel's two modes and its logo preview,
// the line panel, and the page panel's textures with the "背景" switch.
#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/Twips.h"
#include "editing/ColorPanel.h"
#include "editing/LinePanel.h"
#include "editing/PagePanel.h"
#include "widgets/PaletteStrip.h"
#include "widgets/RgbReadout.h"

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

namespace {
// The control of that name (and index, for a control array) under root.
template <class T> T *control(QWidget *root, const char *name, int index = -1)
{
    for (T *w : root->findChildren<T *>(QLatin1String(name)))
        if (index < 0 || w->property("index").toInt() == index)
            return w;
    qFatal("missing control %s(%d)", name, index);
    return nullptr;
}

VbColor swatchOf(QWidget *panel)
{
    return VbColors::fromQColor(control<QLabel>(panel, "LabColorView")->palette().color(QPalette::Window));
}

QStringList readoutOf(QWidget *panel)
{
    return {control<QLabel>(panel, "LabR")->text(), control<QLabel>(panel, "LabG")->text(),
            control<QLabel>(panel, "LabB")->text()};
}

const QImage &palettePicture()
{
    static const QImage picture = QImage(Assets::Palette).convertToFormat(QImage::Format_RGB32);
    return picture;
}

VbColor paletteAt(int x, int y)
{
    return VbColors::fromQColor(QColor(palettePicture().pixel(x, y)));
}

// The strip's inner area starts inside its one-pixel border.
QPoint onStrip(int x, int y)
{
    return QPoint(x + 1, y + 1);
}

// Clicks a horizontal scroll bar's right arrow, or the track just left of it.
void clickRightArrow(QScrollBar *bar)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
}
void clickTrackRight(QScrollBar *bar)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
}

constexpr ElementId AllTexts[] = {
    ElementId::LabName, ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,  ElementId::LabPost,
    ElementId::LabFax,  ElementId::LabTel, ElementId::LabMob,    ElementId::LabHttp, ElementId::LabMail};
} // namespace

class TstColors : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void stripPicksThePixelUnderThePointer_data();
    void stripPicksThePixelUnderThePointer();
    void stripBorderPicksNothing();
    void readoutText_data();
    void readoutText();

    void modeSetsFrameHeight();
    void wholeCardPick_data();
    void wholeCardPick();
    void swatchNeverTakesANonColour();
    void openingByMenuShowsPageColourAndLogo();
    void previewRightClickSetsPageColourOnly_data();
    void previewRightClickSetsPageColourOnly();
    void previewDragStaysReachable();

    void textureChoice_data();
    void textureChoice();
    void backgroundSwitchBringsBackTheHeldPicture();
    void orientationDoesNotTileAgain();

    void lineScrollBarSteps();
    void lineBarsIgnoreTheDraggedThumb();
    void lineStripColoursWithAnyButton();

private:
    void setTexture(int index);

    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<QWidget> m_window;
    ColorPanel *m_colors = nullptr;
    LinePanel *m_line = nullptr;
    PagePanel *m_page = nullptr;
};

void TstColors::initTestCase()
{
    CardFonts::install();
    QVERIFY2(!palettePicture().isNull(), "the colour strip picture is missing");
    QCOMPARE(palettePicture().size(), QSize(198, 15));
}

void TstColors::init()
{
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 600);
    m_colors = new ColorPanel(m_card.get(), m_window.get());
    Panel::setGeometryTwips(m_colors, 0, 0, 3225, ColorPanel::FullHeight);
    m_line = new LinePanel(m_card.get(), m_window.get());
    Panel::setGeometryTwips(m_line, 3300, 0, 3210, 5655);
    m_page = new PagePanel(m_card.get(), m_window.get());
    Panel::setGeometryTwips(m_page, 6600, 0, 1590, 5655);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstColors::cleanup()
{
    m_window.reset();
    m_card.reset();
}

void TstColors::setTexture(int index)
{
    QTest::mouseClick(control<QWidget>(m_page, "PicPageImage", index), Qt::LeftButton, {}, QPoint(5, 5));
}

void TstColors::stripPicksThePixelUnderThePointer_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("top-left, pale red") << QPoint(0, 0);
    QTest::newRow("full yellow") << QPoint(31, 7);
    QTest::newRow("full blue") << QPoint(121, 7);
    QTest::newRow("dark end of the hue band") << QPoint(189, 14);
    QTest::newRow("top of the grey ramp") << QPoint(190, 0);
    QTest::newRow("bottom-right") << QPoint(197, 14);
}

void TstColors::stripPicksThePixelUnderThePointer()
{
    QFETCH(QPoint, pixel);
    auto *strip = control<PaletteStrip>(m_line, "PicHLineColor");
    QCOMPARE(strip->size(), QSize(200, 17)); // 3000 x 255 twips with the border
    QCOMPARE(strip->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(strip->colorAt(pixel), std::optional<VbColor>(paletteAt(pixel.x(), pixel.y())));

    QSignalSpy hovered(strip, &PaletteStrip::hovered);
    QSignalSpy pressed(strip, &PaletteStrip::pressed);
    QTest::mouseMove(strip, onStrip(pixel.x(), pixel.y()));
    QCOMPARE(hovered.size(), 1);
    QCOMPARE(hovered[0][0].value<VbColor>(), paletteAt(pixel.x(), pixel.y()));
    QTest::mouseClick(strip, Qt::MiddleButton, {}, onStrip(pixel.x(), pixel.y()));
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(pressed[0][0].value<VbColor>(), paletteAt(pixel.x(), pixel.y()));
    QCOMPARE(pressed[0][1].value<Qt::MouseButton>(), Qt::MiddleButton);
}

void TstColors::stripBorderPicksNothing()
{
    auto *strip = control<PaletteStrip>(m_line, "PicHLineColor");
    QSignalSpy pressed(strip, &PaletteStrip::pressed);
    // (QTest takes a null point for the widget's centre, so the top-left corner pixel is left out.)
    for (QPoint border : {QPoint(0, 1), QPoint(199, 8), QPoint(100, 16)})
        QTest::mouseClick(strip, Qt::LeftButton, {}, border);
    QCOMPARE(pressed.size(), 0);
    QCOMPARE(strip->colorAt(QPoint(198, 0)), std::nullopt);
    QCOMPARE(strip->colorAt(QPoint(-1, 3)), std::nullopt);
}

void TstColors::readoutText_data()
{
    QTest::addColumn<VbColor>("color");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("white") << VbColor(0x00FFFFFF) << QStringList{"R:255", "G:255", "B:255"};
    QTest::newRow("black") << VbColor(0) << QStringList{"R:0", "G:0", "B:0"};
    QTest::newRow("start blue") << VbColors::rgb(0, 58, 114) << QStringList{"R:0", "G:58", "B:114"};
    QTest::newRow("parts kept apart") << VbColors::rgb(1, 2, 3) << QStringList{"R:1", "G:2", "B:3"};
}

void TstColors::readoutText()
{
    QFETCH(VbColor, color);
    QFETCH(QStringList, texts);
    QLabel r, g, b;
    RgbReadout readout(&r, &g, &b);
    readout.show(color);
    QCOMPARE((QStringList{r.text(), g.text(), b.text()}), texts);
    // The labels size themselves to the new text.
    QCOMPARE(r.size(), r.sizeHint());
}

void TstColors::modeSetsFrameHeight()
{
    auto *fore = control<QRadioButton>(m_colors, "OptColor", 0);
    auto *back = control<QRadioButton>(m_colors, "OptColor", 1);
    QCOMPARE(fore->text(), QStringLiteral("前景色"));
    QCOMPARE(back->text(), QStringLiteral("背景色"));
    QVERIFY(back->isChecked());
    QCOMPARE(m_colors->height(), Twips::toPx(ColorPanel::FullHeight));

    setTexture(4);
    const QImage textured = renderCard(*m_card);
    QTest::mouseClick(fore, Qt::LeftButton);
    QVERIFY(fore->isChecked());
    QCOMPARE(m_colors->height(), Twips::toPx(ColorPanel::ShortHeight));
    QCOMPARE(renderCard(*m_card), textured); // "前景色" changes nothing on the card

    QSignalSpy switched(m_card.get(), &CardModel::backgroundShownChanged);
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(m_colors->height(), Twips::toPx(ColorPanel::FullHeight));
    QVERIFY(m_card->pagePicture().isNull());
    QVERIFY(m_card->paintedLayer().isNull());
    QVERIFY(m_card->backgroundShown()); // "背景" keeps its state
    QCOMPARE(switched.size(), 0);
}

void TstColors::wholeCardPick_data()
{
    QTest::addColumn<bool>("foreground");
    QTest::addColumn<bool>("textured"); // a texture on the page ("背景" ticked) before the pick
    QTest::newRow("前景色") << true << true;
    QTest::newRow("背景色 over a texture") << false << true;
    QTest::newRow("背景色 with 背景 unticked") << false << false;
}

void TstColors::wholeCardPick()
{
    QFETCH(bool, foreground);
    QFETCH(bool, textured);
    if (textured)
        setTexture(6);
    else
        m_card->setBackgroundShown(false);
    if (foreground)
        QTest::mouseClick(control<QRadioButton>(m_colors, "OptColor", 0), Qt::LeftButton);
    m_card->setVisible(ElementId::LabMob, false); // hidden elements are recoloured too
    m_card->setForeColor(ElementId::LabJob, VbColors::rgb(9, 9, 9));
    const VbColor pageBefore = m_card->pageColor();
    const QImage storeBefore = m_card->pictureStore();

    const QPoint pixel(94, 7);
    const VbColor c = paletteAt(pixel.x(), pixel.y());
    auto *strip = control<PaletteStrip>(m_colors, "PicColor");
    QSignalSpy switched(m_card.get(), &CardModel::backgroundShownChanged);
    // Qt drops a move to where the pointer already is, so it comes from a neighbouring pixel.
    QTest::mouseMove(strip, onStrip(pixel.x() + 1, pixel.y()));
    QTest::mouseMove(strip, onStrip(pixel.x(), pixel.y()));
    QTest::mouseClick(strip, Qt::RightButton, {}, onStrip(pixel.x(), pixel.y()));

    QCOMPARE(swatchOf(m_colors), c);
    QCOMPARE(readoutOf(m_colors),
             (QStringList{QStringLiteral("R:%1").arg(c & 0xFF), QStringLiteral("G:%1").arg((c >> 8) & 0xFF),
                          QStringLiteral("B:%1").arg((c >> 16) & 0xFF)}));
    if (foreground) {
        for (ElementId id : AllTexts)
            QCOMPARE(m_card->element(id).color, c);
        QCOMPARE(m_card->element(ElementId::Hline).color, c);
        QCOMPARE(m_card->pageColor(), pageBefore);
        QVERIFY(!m_card->pagePicture().isNull());
        QVERIFY(m_card->backgroundShown());
        return;
    }
    QCOMPARE(m_card->pageColor(), c);
    QVERIFY(m_card->pagePicture().isNull());
    QVERIFY(m_card->paintedLayer().isNull());
    QVERIFY(!m_card->backgroundShown());
    // "背景"'s reaction runs only when it was ticked.
    QCOMPARE(switched.size(), textured ? 1 : 0);
    QCOMPARE(m_card->element(ElementId::LabJob).color, VbColors::rgb(9, 9, 9));
    QCOMPARE(m_card->pictureStore(), storeBefore); // the held picture is kept
}

void TstColors::swatchNeverTakesANonColour()
{
    auto *strip = control<PaletteStrip>(m_colors, "PicColor");
    QTest::mouseMove(strip, onStrip(20, 3));
    QCOMPARE(swatchOf(m_colors), paletteAt(20, 3));
    QTest::mousePress(strip, Qt::LeftButton, {}, onStrip(20, 3));
    // Held and moved off the strip: the swatch takes the nearest strip pixel.
    QTest::mouseMove(strip, QPoint(-40, 60));
    QCOMPARE(swatchOf(m_colors), paletteAt(0, 14));
    QTest::mouseMove(strip, QPoint(260, 8));
    QCOMPARE(swatchOf(m_colors), paletteAt(197, 7));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(260, 8));
}

void TstColors::openingByMenuShowsPageColourAndLogo()
{
    m_card->setPageColor(VbColors::rgb(12, 34, 56));
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::red);
    m_card->setLogo(logo);
    const QStringList readout = readoutOf(m_colors);
    m_colors->openedByMenu();
    QCOMPARE(swatchOf(m_colors), VbColors::rgb(12, 34, 56));
    QCOMPARE(control<QLabel>(m_colors, "PicLogo")->size(), QSize(40, 30));
    QCOMPARE(readoutOf(m_colors), readout); // the readout keeps the last pick
}

void TstColors::previewRightClickSetsPageColourOnly_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("opaque logo pixel") << QPoint(3, 3) << QColor(10, 200, 30);
    QTest::newRow("transparent logo pixel")
        << QPoint(15, 3) << VbColors::toQColor(VbColors::WindowBackground);
}

void TstColors::previewRightClickSetsPageColourOnly()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    QImage logo(20, 10, QImage::Format_ARGB32);
    logo.fill(QColor(10, 200, 30));
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            logo.setPixelColor(x, y, Qt::transparent);
    m_card->setLogo(logo);
    m_colors->openedByMenu();
    setTexture(2);
    const QImage store = m_card->pictureStore();

    auto *preview = control<QLabel>(m_colors, "PicLogo");
    QTest::mouseClick(preview, Qt::RightButton, {}, at);
    const VbColor c = VbColors::fromQColor(expected);
    QCOMPARE(m_card->pageColor(), c);
    QCOMPARE(swatchOf(m_colors), c);
    QCOMPARE(readoutOf(m_colors).join(' '),
             QStringLiteral("R:%1 G:%2 B:%3").arg(expected.red()).arg(expected.green()).arg(expected.blue()));
    QCOMPARE(preview->cursor().shape(), Qt::CrossCursor);
    // The page picture and "背景" stay; the new colour clears the painted tiles.
    QVERIFY(m_card->backgroundShown());
    QCOMPARE(m_card->pagePicture(), store);
    QVERIFY(m_card->paintedLayer().isNull());
}

void TstColors::previewDragStaysReachable()
{
    auto *preview = control<QLabel>(m_colors, "PicLogo");
    QVERIFY(!preview->size().isEmpty());
    const QPoint start = preview->pos();
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(preview->cursor().shape(), Qt::BitmapCursor); // the closed-hand picture
    QTest::mouseMove(preview, QPoint(5 + 30, 5 + 12));
    QCOMPARE(preview->pos(), start + QPoint(30, 12));
    // Far out to the bottom right: the grabbed point stays on the last visible pixel.
    QTest::mouseMove(preview, QPoint(2000, 2000));
    const QSize room = preview->parentWidget()->size();
    QCOMPARE(preview->pos(), QPoint(room.width() - 1 - 5, room.height() - 1 - 5));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint released = preview->pos();
    QTest::mouseMove(preview, QPoint(1, 1));
    QCOMPARE(preview->pos(), released); // it stays where it was released
    QCOMPARE(m_card->pageColor(), VbColors::WindowBackground);
}

void TstColors::textureChoice_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("place"); // twips in the page panel
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("0, 背景 ticked") << 0 << QPoint(240, 1635) << true;
    QTest::newRow("8, 背景 unticked") << 8 << QPoint(855, 1635) << false;
    QTest::newRow("1") << 1 << QPoint(240, 4005) << true;
    QTest::newRow("11, 背景 unticked") << 11 << QPoint(855, 4605) << false;
}

void TstColors::textureChoice()
{
    QFETCH(int, index);
    QFETCH(QPoint, place);
    QFETCH(bool, shownBefore);
    const QImage texture(Assets::texture(index));
    QVERIFY2(!texture.isNull(), "texture picture missing");
    auto *thumb = control<QWidget>(m_page, "PicPageImage", index);
    QCOMPARE(thumb->geometry(), Twips::rectToPx(place.x(), place.y(), 480, 480));

    m_card->setBackgroundShown(shownBefore);
    QSignalSpy switched(m_card.get(), &CardModel::backgroundShownChanged);
    setTexture(index);
    QVERIFY(m_card->backgroundShown());
    QCOMPARE(switched.size(), shownBefore ? 0 : 1);
    QCOMPARE(m_card->pictureStore(), texture);
    QCOMPARE(m_card->pagePicture(), texture);
    // Tiled from the top-left corner, edge to edge.
    const QImage card = renderCard(*m_card);
    for (QPoint p : {QPoint(0, 0), QPoint(32 * 3 + 5, 32 * 2 + 7), QPoint(339, 206)})
        QCOMPARE(card.pixel(p), texture.convertToFormat(QImage::Format_RGB32).pixel(p.x() % 32, p.y() % 32));
    // The same texture again gives the same page.
    setTexture(index);
    QCOMPARE(renderCard(*m_card), card);
}

void TstColors::backgroundSwitchBringsBackTheHeldPicture()
{
    // At start the page is plain with "背景" ticked and the work-area tile held.
    QVERIFY(m_card->backgroundShown());
    QVERIFY(m_card->pagePicture().isNull());
    QCOMPARE(m_card->pictureStore(), QImage(Assets::WorkTile));

    setTexture(7);
    const QImage textured = renderCard(*m_card);
    // A whole-card pick in "背景色" removes it and unticks "背景"; ticking it brings it back, tiled.
    QTest::mouseClick(control<PaletteStrip>(m_colors, "PicColor"), Qt::LeftButton, {}, onStrip(57, 7));
    QVERIFY(!m_card->backgroundShown());
    m_card->setPageColor(VbColors::WindowBackground);
    m_card->setBackgroundShown(true);
    QCOMPARE(m_card->pagePicture(), QImage(Assets::texture(7)));
    QCOMPARE(renderCard(*m_card), textured);
}

void TstColors::orientationDoesNotTileAgain()
{
    for (ElementId id : AllTexts)
        m_card->setVisible(id, false);
    m_card->setVisible(ElementId::Hline, false);
    m_card->setVisible(ElementId::PicCardLogo, false);
    setTexture(5);
    const QImage landscape = renderCard(*m_card);
    m_card->setOrientation(Orientation::Portrait);
    const QImage portrait = renderCard(*m_card);
    // Below the landscape height nothing was tiled: the page picture shows once, then the page colour.
    QCOMPARE(QColor(portrait.pixel(5, 300)), VbColors::toQColor(m_card->pageColor()));
    QCOMPARE(portrait.pixel(5, 5), landscape.pixel(5, 5));
}

void TstColors::lineScrollBarSteps()
{
    auto *width = control<QScrollBar>(m_line, "HScroll1");
    auto *height = control<QScrollBar>(m_line, "HScroll2");
    for (QScrollBar *bar : {width, height}) {
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 5100);
        QCOMPARE(bar->singleStep(), 10);
        QCOMPARE(bar->pageStep(), 50);
        QCOMPARE(bar->value(), 1); // the design value until the load sets them
    }
    QCOMPARE(m_card->element(ElementId::Hline).width, 4920.0); // nothing applied before the load
    // What the main window's load does.
    width->setValue(4920);
    height->setValue(15);

    clickRightArrow(height);
    QCOMPARE(m_card->element(ElementId::Hline).height, 25.0);
    height->setValue(15);
    clickTrackRight(height);
    QCOMPARE(height->value(), 65);
    QCOMPARE(m_card->element(ElementId::Hline).height, 65.0);

    // A page turn sets the line's width but not the bar; the next step goes from the bar's value.
    m_card->setOrientation(Orientation::Portrait);
    QCOMPARE(m_card->element(ElementId::Hline).width, 2985.0);
    clickRightArrow(width);
    QCOMPARE(m_card->element(ElementId::Hline).width, 4930.0);
    QCOMPARE(m_card->element(ElementId::Hline).height, 65.0);

    // The narrowest line is still drawn one pixel wide.
    for (ElementId id : AllTexts)
        m_card->setVisible(id, false);
    width->setValue(1);
    height->setValue(600);
    const CardElement &line = m_card->element(ElementId::Hline);
    const QImage card = renderCard(*m_card);
    QCOMPARE(QColor(card.pixel(Twips::toPx(line.left), Twips::toPx(line.top) + 20)), QColor(Qt::black));
}

void TstColors::lineBarsIgnoreTheDraggedThumb()
{
    auto *width = control<QScrollBar>(m_line, "HScroll1");
    width->setValue(4920);
    width->setSliderDown(true);
    width->setSliderPosition(3000);
    QCOMPARE(m_card->element(ElementId::Hline).width, 4920.0);
    width->setSliderDown(false); // the thumb's release
    QCOMPARE(m_card->element(ElementId::Hline).width, 3000.0);
}

void TstColors::lineStripColoursWithAnyButton()
{
    auto *strip = control<PaletteStrip>(m_line, "PicHLineColor");
    m_card->setVisible(ElementId::Hline, false);
    for (auto [button, x] : {std::pair{Qt::LeftButton, 10}, std::pair{Qt::RightButton, 150}}) {
        QTest::mouseClick(strip, button, {}, onStrip(x, 4));
        QCOMPARE(m_card->element(ElementId::Hline).color, paletteAt(x, 4));
    }
    // Only the line: the texts keep their colours.
    QCOMPARE(m_card->element(ElementId::LabName).color, VbColor(0x00400000));
}

QTEST_MAIN(TstColors)
#include "tst_colors.moc"
