// The frames of the side panels and of the settings dialog: no control of the design crosses a border
// line or covers a caption, the top edge runs through the caption's line, and the caption interrupts it.
// With VELNOR_SCREENSHOTS=DIR set, every panel and secondary window is also saved there as a PNG.
#include "app/MainWindow.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"
#include "output/CardBrowser.h"
#include "output/PrintWindow.h"
#include "settings/SettingsDialog.h"
#include "widgets/Panel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The bands of a frame's border in its own pixels, and the caption's box.
struct FrameBands {
    QList<QRect> lines;
    QRect caption;
};

FrameBands bandsOf(const Panel *panel)
{
    const QFontMetrics fm(Panel::captionFont());
    const int top = Panel::borderTop();
    const int w = panel->width(), h = panel->height();
    const int captionWidth = panel->title().isEmpty() ? 0 : fm.horizontalAdvance(panel->title());
    const int gapFrom = Panel::CaptionLeft - Panel::CaptionGap;
    const int gapTo = Panel::CaptionLeft + captionWidth + Panel::CaptionGap;
    FrameBands b;
    b.lines = {QRect(0, top, gapFrom, 2), QRect(gapTo + 1, top, w - gapTo - 1, 2), QRect(0, top, 2, h - top),
               QRect(w - 2, top, 2, h - top), QRect(0, h - 2, w, 2)};
    b.caption = QRect(Panel::CaptionLeft, 0, captionWidth, fm.height());
    return b;
}

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 %2 (%3,%4 %5x%6)")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName())
        .arg(w->x())
        .arg(w->y())
        .arg(w->width())
        .arg(w->height());
}

void saveShot(QWidget *w, const QString &name)
{
    const QString dir = qEnvironmentVariable("VELNOR_SCREENSHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
} // namespace

class TstFrames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void borderRunsThroughTheCaption();
    void noControlCrossesAFrame();
    void screenshots();

private:
    QList<Panel *> allFrames();
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<MainWindow> m_window;
};

void TstFrames::initTestCase()
{
    CardFonts::install();
    QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
}

void TstFrames::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    setSettingsDirectory(m_dir->path());
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<MainWindow>(m_card.get());
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstFrames::cleanup()
{
    m_window.reset();
    m_card.reset();
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
}

// The nine side panels, and the frames of the settings dialog (opened for the purpose).
QList<Panel *> TstFrames::allFrames()
{
    QList<Panel *> frames;
    for (const PanelRow &entry : PanelTable)
        frames << m_window->panel(entry.name);
    m_window->openSettings();
    frames << m_window->settingsDialog()->findChildren<Panel *>();
    return frames;
}

void TstFrames::borderRunsThroughTheCaption()
{
    // 宋体 9 pt is 12 px high: the top edge is 6 px down, grey over a white line.
    QCOMPARE(Panel::borderTop(), 6);
    Panel *page = m_window->panel("FrmPage");
    m_window->togglePanel("FrmPage");
    const QImage image = page->grab().toImage();
    const QColor shadow = image.pixelColor(Panel::CaptionLeft + 60, 6);
    QCOMPARE(image.pixelColor(Panel::CaptionLeft + 60, 7), QColor(Qt::white));
    QVERIFY2(shadow.lightness() < 0xD0, qPrintable(shadow.name()));
    // Above the line the frame's grey; the caption's first pixels are clear of the line, ink inside them.
    QCOMPARE(image.pixelColor(Panel::CaptionLeft + 60, 2), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(image.pixelColor(1, 6), shadow);
    QCOMPARE(image.pixelColor(Panel::CaptionLeft - 1, 6), QColor(0xE0, 0xE0, 0xE0));
    bool ink = false;
    for (int x = Panel::CaptionLeft; x < Panel::CaptionLeft + 12; ++x)
        for (int y = 0; y < 12; ++y)
            ink = ink || image.pixelColor(x, y).lightness() < 0x40;
    QVERIFY2(ink, "the caption is drawn on the line");
    // Left, right and bottom edges: grey outside, white inside on the left; white outermost on the right.
    QCOMPARE(image.pixelColor(0, 100), shadow);
    QCOMPARE(image.pixelColor(1, 100), QColor(Qt::white));
    QCOMPARE(image.pixelColor(page->width() - 1, 100), QColor(Qt::white));
    QCOMPARE(image.pixelColor(page->width() - 2, 100), shadow);
    QCOMPARE(image.pixelColor(50, page->height() - 1), QColor(Qt::white));
    QCOMPARE(image.pixelColor(50, page->height() - 2), shadow);
}

void TstFrames::noControlCrossesAFrame()
{
    for (Panel *frame : allFrames()) {
        const FrameBands bands = bandsOf(frame);
        for (QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden() || child->isWindow())
                continue;
            for (const QRect &line : bands.lines)
                QVERIFY2(!child->geometry().intersects(line),
                         qPrintable(frame->objectName() + QStringLiteral(": ") + describe(child) +
                                    QStringLiteral(" crosses the border")));
            QVERIFY2(!child->geometry().intersects(bands.caption),
                     qPrintable(frame->objectName() + QStringLiteral(": ") + describe(child) +
                                QStringLiteral(" covers the caption")));
        }
    }
}

void TstFrames::screenshots()
{
    // Not a check of its own: pictures of every panel and secondary window for a look by eye.
    if (qEnvironmentVariableIsEmpty("VELNOR_SCREENSHOTS"))
        QSKIP("set VELNOR_SCREENSHOTS=DIR to save the pictures");
    for (const PanelRow &entry : PanelTable) {
        m_window->togglePanel(entry.name);
        saveShot(m_window.get(), QString::fromLatin1(entry.name));
    }
    m_window->closePanels();
    m_window->openSettings();
    saveShot(m_window->settingsDialog(), QStringLiteral("FrmSet"));
    auto *browser = new CardBrowser(m_card.get(), m_window.get());
    browser->show();
    saveShot(browser, QStringLiteral("FrmSee"));
    auto *print = new PrintWindow(QImage(340, 207, QImage::Format_RGB32), browser);
    print->show();
    saveShot(print, QStringLiteral("FrmPrint"));
}

QTEST_MAIN(TstFrames)
#include "tst_frames.moc"
