// The main window's chrome: the panel menu and its widths, the buttons' pictures and neighbour rule,
// the marquee, window moves, the settings dialog and the browser.
#include "app/MainWindow.h"
#include "app/Marquee.h"
#include "app/TitleBar.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"
#include "card/Twips.h"
#include "editing/CardCanvas.h"
#include "settings/SettingsDialog.h"
#include "widgets/MenuButton.h"
#include "widgets/Panel.h"
#include "widgets/ScreenFonts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {
int screenWidth()
{
    return QGuiApplication::primaryScreen()->geometry().width();
}

// Where a window of this width in twips stands when centred, in pixels.
int centredLeft(int widthTwips)
{
    return Twips::toPx((Twips::fromPx(screenWidth()) - widthTwips) / 2);
}

// Presses and releases the mouse on a widget the way the window system delivers it.
void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(w, button, {}, QPoint(5, 5));
    QTest::mouseRelease(w, button, {}, QPoint(5, 5));
}

void hover(QWidget *w)
{
    QTest::mouseMove(w, QPoint(10, 10));
}
} // namespace

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void afterLoad();
    void panelButtonsToggleTheirPanel_data();
    void panelButtonsToggleTheirPanel();
    void openingOnePanelClosesTheOther();
    void neighbourRule_data();
    void neighbourRule();
    void pressShowsPressedAndAnyButtonActs();
    void marqueeTurns();
    void windowMovesOnlyByItsOwnAreas_data();
    void windowMovesOnlyByItsOwnAreas();
    void settingsDialogOnceAndPanelsClosed();
    void browserHidesTheWindow();
    void orientationOnThePagePanel();

private:
    MenuButton *button(const char *name) { return m_window->menuButton(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CardModel> m_card;
    std::unique_ptr<MainWindow> m_window;
    double m_mottoAfterLoad = 0;
};

void TstMainWindow::initTestCase()
{
    CardFonts::install();
    QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
}

void TstMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    setSettingsDirectory(m_dir->path()); // no settings file: the load leaves empty texts
    m_card = std::make_unique<CardModel>();
    m_window = std::make_unique<MainWindow>(m_card.get());
    m_window->load();
    // Where the motto stands once the load is done: the marquee's timer moves it on as soon as the event
    // loop runs, which showing the window does (sooner or later, as the machine allows).
    m_mottoAfterLoad = m_window->marquee()->mottoLeft();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstMainWindow::cleanup()
{
    m_window.reset();
    m_card.reset();
    // Windows the test opened (the browser has no parent); one may take another with it.
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
}

void TstMainWindow::afterLoad()
{
    QCOMPARE(m_window->size(), QSize(510, 408));
    QCOMPARE(m_window->x(), centredLeft(7650));
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    QCOMPARE(m_window->y(), Twips::toPx((Twips::fromPx(screenHeight) - 6120) / 2));
    QCOMPARE(m_window->openPanel(), nullptr);
    for (const MenuRow &entry : MenuTable) {
        MenuButton *b = button(entry.name);
        QCOMPARE(b->picture(), MenuButton::Normal);
        QCOMPARE(b->geometry(), QRect(Twips::toPx(MenuLeft, entry.top), QSize(54, 21)));
    }
    for (const PanelRow &entry : PanelTable) {
        Panel *p = m_window->panel(entry.name);
        QCOMPARE(p->geometry(), Twips::rectToPx(PanelLeft, entry.top, entry.width, entry.height));
        QVERIFY(p->isHidden());
    }
    QCOMPARE(m_mottoAfterLoad, 7650.0);
    QVERIFY(m_window->marquee()->movingLeft());

    // The text panel's lists: every screen font in the database's order ("宋体" first, as the database
    // does not list the substituted name) and the sizes 8 to 60; their texts stay "宋体" and "10".
    auto *fonts = m_window->findChild<QComboBox *>(QStringLiteral("ComboFont"));
    auto *sizes = m_window->findChild<QComboBox *>(QStringLiteral("ComboSize"));
    QVERIFY(fonts && sizes);
    QStringList expectedFonts{QStringLiteral("宋体")};
    for (const QString &f : ScreenFonts::families())
        if (f != expectedFonts.front())
            expectedFonts << f;
    QStringList expectedSizes;
    for (int s = 8; s <= 60; ++s)
        expectedSizes << QString::number(s);
    auto entries = [](QComboBox *list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->itemText(i);
        return all;
    };
    QCOMPARE(entries(fonts), expectedFonts);
    QCOMPARE(entries(sizes), expectedSizes);
    QCOMPARE(fonts->currentText(), QStringLiteral("宋体"));
    QCOMPARE(sizes->currentText(), QStringLiteral("10"));
    // The colour readout and the line's scroll bars.
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("LabG"))->text(), QStringLiteral("G:58"));
    QCOMPARE(m_window->findChild<QScrollBar *>(QStringLiteral("HScroll1"))->value(), 4920);
    QCOMPARE(m_window->findChild<QScrollBar *>(QStringLiteral("HScroll2"))->value(), 15);
}

void TstMainWindow::panelButtonsToggleTheirPanel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("openWidth");
    QTest::newRow("ImgPage") << "ImgPage"
                             << "FrmPage"
                             << "页面设置" << 9390;
    QTest::newRow("ImgColor") << "ImgColor"
                              << "FrmColor"
                              << "设置颜色" << 10995;
    QTest::newRow("ImgTxt") << "ImgTxt"
                            << "FrmFont"
                            << "文字信息编辑" << 10995;
    QTest::newRow("ImgPic") << "ImgPic"
                            << "FrmPic"
                            << "图片设置" << 10755;
    QTest::newRow("ImgLine") << "ImgLine"
                             << "FrmHLine"
                             << "直线设置" << 10995;
    QTest::newRow("ImgHide") << "ImgHide"
                             << "FrmShow"
                             << "显示/隐藏" << 9810;
    QTest::newRow("ImSave") << "ImSave"
                            << "FrmSave"
                            << "保存名片" << 10995;
    QTest::newRow("ImgHelp") << "ImgHelp"
                             << "FrmHelp"
                             << "Velnor操作指南" << 11415;
    QTest::newRow("ImgAbout") << "ImgAbout"
                              << "FrmAbout"
                              << "关于本程序" << 11445;
}

void TstMainWindow::panelButtonsToggleTheirPanel()
{
    QFETCH(QString, button);
    QFETCH(QString, panel);
    QFETCH(QString, caption);
    QFETCH(int, openWidth);
    const int top = m_window->y() + 7; // the load's Top is kept by every re-centring
    m_window->move(m_window->x(), top);
    Panel *p = m_window->panel(qPrintable(panel));
    QCOMPARE(p->title(), caption);

    release(this->button(qPrintable(button)));
    QVERIFY(p->isVisible());
    QCOMPARE(m_window->openPanel(), p);
    QCOMPARE(m_window->width(), Twips::toPx(openWidth));
    QCOMPARE(m_window->x(), centredLeft(openWidth));
    QCOMPARE(m_window->y(), top);
    // The panel lies inside the window.
    QVERIFY(m_window->rect().contains(p->geometry()));

    release(this->button(qPrintable(button)));
    QVERIFY(!p->isVisible());
    QCOMPARE(m_window->openPanel(), nullptr);
    QCOMPARE(m_window->width(), 510);
    QCOMPARE(m_window->x(), centredLeft(7650));
    QCOMPARE(m_window->y(), top);
}

void TstMainWindow::openingOnePanelClosesTheOther()
{
    release(button("ImgHide"));
    QCOMPARE(m_window->openPanel(), m_window->panel("FrmShow"));
    release(button("ImgPic"));
    QCOMPARE(m_window->openPanel(), m_window->panel("FrmPic"));
    QVERIFY(m_window->panel("FrmShow")->isHidden());
    release(button("ImgPage"));
    release(button("ImgColor"));
    QCOMPARE(m_window->openPanel(), m_window->panel("FrmColor"));
    QCOMPARE(m_window->width(), Twips::toPx(10995));
    int visible = 0;
    for (const PanelRow &entry : PanelTable)
        visible += m_window->panel(entry.name)->isVisible();
    QCOMPARE(visible, 1);
}

void TstMainWindow::neighbourRule_data()
{
    QTest::addColumn<QStringList>("hovered");  // in this order
    QTest::addColumn<QStringList>("hoverNow"); // buttons showing the hover picture afterwards
    QTest::newRow("next in the group") << QStringList{"ImgColor", "ImgTxt"} << QStringList{"ImgTxt"};
    // ImgPage is not a neighbour of ImgTxt: it keeps its picture.
    QTest::newRow("skipping one") << QStringList{"ImgPage", "ImgTxt"} << QStringList{"ImgPage", "ImgTxt"};
    QTest::newRow("both neighbours") << QStringList{"ImgPic", "ImgLine", "ImgTxt", "ImgPic"}
                                     << QStringList{"ImgPic"};
    QTest::newRow("other group keeps")
        << QStringList{"ImgHide", "ImSave"} << QStringList{"ImgHide", "ImSave"};
    QTest::newRow("group 2") << QStringList{"ImSave", "ImgView", "ImgSet"} << QStringList{"ImgSet"};
    QTest::newRow("group 3 ends") << QStringList{"ImgHelp", "ImgExit", "ImgAbout"} << QStringList{"ImgAbout"};
    QTest::newRow("last of group 1") << QStringList{"ImgLine", "ImgHide"} << QStringList{"ImgHide"};
    QTest::newRow("first of group 3") << QStringList{"ImgAbout", "ImgHelp"} << QStringList{"ImgHelp"};
}

void TstMainWindow::neighbourRule()
{
    QFETCH(QStringList, hovered);
    QFETCH(QStringList, hoverNow);
    for (const QString &name : hovered)
        hover(button(qPrintable(name)));
    for (const MenuRow &entry : MenuTable)
        QCOMPARE(button(entry.name)->picture(),
                 hoverNow.contains(QLatin1String(entry.name)) ? MenuButton::Hover : MenuButton::Normal);

    // The pointer over the window's own background resets every button ...
    QTest::mouseMove(m_window.get(), QPoint(500, 300));
    for (const MenuRow &entry : MenuTable)
        QCOMPARE(button(entry.name)->picture(), MenuButton::Normal);
    // ... but not when it is over the title bar or the work area.
    hover(button("ImgPage"));
    QTest::mouseMove(m_window->titleBar(), QPoint(200, 10));
    QTest::mouseMove(m_window->findChild<QWidget *>(QStringLiteral("PicBg")), QPoint(5, 5));
    QCOMPARE(button("ImgPage")->picture(), MenuButton::Hover);
}

void TstMainWindow::pressShowsPressedAndAnyButtonActs()
{
    MenuButton *page = button("ImgPage");
    QTest::mousePress(page, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(page->picture(), MenuButton::Pressed);
    QVERIFY(m_window->panel("FrmPage")->isHidden()); // the action is on release
    QTest::mouseRelease(page, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(m_window->panel("FrmPage")->isVisible());
    QCOMPARE(page->picture(), MenuButton::Pressed); // stays until the pointer moves
    release(page, Qt::MiddleButton);
    QVERIFY(m_window->panel("FrmPage")->isHidden());
}

void TstMainWindow::marqueeTurns()
{
    Marquee *marquee = m_window->marquee();
    QCOMPARE(marquee->timer1()->interval(), 100);
    QCOMPARE(marquee->timer2()->interval(), 100);
    marquee->stop(); // the test drives the ticks
    QLabel *info = m_window->titleBar()->info();
    QLabel *motto = m_window->titleBar()->motto();
    const double leftTurn = Twips::fromPx(info->x() + info->width()) + 100;

    auto runUntilTurn = [&](bool left) {
        double previous = marquee->mottoLeft();
        for (int tick = 0; tick < 1000; ++tick) {
            left ? marquee->timer1Tick() : marquee->timer2Tick();
            QCOMPARE(marquee->mottoLeft(), previous + (left ? -50 : 50));
            QCOMPARE(motto->x(), Twips::toPx(marquee->mottoLeft()));
            previous = marquee->mottoLeft();
            // Exactly one timer runs.
            QVERIFY(marquee->timer1()->isActive() != marquee->timer2()->isActive());
            if (marquee->movingLeft() != left)
                return;
        }
        QFAIL("no turn");
    };

    marquee->timer1()->start();
    runUntilTurn(true);
    QVERIFY(marquee->mottoLeft() <= leftTurn);
    QVERIFY(marquee->mottoLeft() + 50 > leftTurn);
    // A queued left tick no longer runs once the motto moves right; a right tick while moving left neither.
    runUntilTurn(false);
    QCOMPARE(marquee->mottoLeft(), 7550.0); // 7650 - 100, and 7550 - 1400 is a multiple of 50
    QVERIFY(marquee->movingLeft());

    // A wider window moves the right turning point.
    release(button("ImgPage")); // 9390 wide
    runUntilTurn(true);
    runUntilTurn(false);
    QVERIFY(marquee->mottoLeft() >= 9390 - 100);
    QVERIFY(marquee->mottoLeft() - 50 < 9390 - 100);

    // A right tick that arrives while moving left changes nothing.
    const double before = marquee->mottoLeft();
    marquee->timer2Tick();
    QCOMPARE(marquee->mottoLeft(), before);

    // It keeps running while the window is hidden.
    m_window->hide();
    QVERIFY(marquee->timer1()->isActive());
}

void TstMainWindow::windowMovesOnlyByItsOwnAreas_data()
{
    QTest::addColumn<QString>("target"); // object name of the widget pressed
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("moves");
    QTest::newRow("title bar") << "PicBarBg" << QPoint(300, 8) << true;
    QTest::newRow("name label") << "LabBarInfo" << QPoint(5, 5) << false;
    QTest::newRow("motto label") << "LabBarMove" << QPoint(5, 5) << false;
    QTest::newRow("window background") << "FrmMain" << QPoint(500, 400) << true;
    QTest::newRow("separator") << "FrmMain" << QPoint(440, 204) << true;
    QTest::newRow("work area") << "PicBg" << QPoint(10, 10) << true;
    QTest::newRow("card shadow") << "PicCardBg" << QPoint(339, 205) << false;
    QTest::newRow("card") << "PicCard" << QPoint(200, 150) << false;
    QTest::newRow("card element") << "LabName" << QPoint(5, 5) << false;
}

void TstMainWindow::windowMovesOnlyByItsOwnAreas()
{
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(bool, moves);
    // A motto inside the window: it starts at the window's right edge.
    m_card->setMotto(QStringLiteral("登山者"));
    for (int tick = 0; tick < 40; ++tick)
        m_window->marquee()->timer1Tick();
    QWidget *w = target == QLatin1String("FrmMain") ? m_window.get() : m_window->findChild<QWidget *>(target);
    QVERIFY(w);
    QVERIFY(m_window->rect().contains(w->mapTo(m_window.get(), at)));
    // The press goes to whatever lies under the point, as the window system would deliver it.
    QWidget *under = m_window->childAt(w->mapTo(m_window.get(), at));
    QWidget *receiver = under ? under : m_window.get();
    const QPoint local = receiver->mapFrom(m_window.get(), w->mapTo(m_window.get(), at));
    const QPoint start = m_window->pos();
    QTest::mousePress(receiver, Qt::LeftButton, {}, local);
    QTest::mouseMove(receiver, local + QPoint(30, 20));
    QTest::mouseRelease(receiver, Qt::LeftButton, {}, local + QPoint(30, 20));
    if (moves)
        QCOMPARE(m_window->pos(), start + QPoint(30, 20));
    else
        QCOMPARE(m_window->pos(), start);
}

void TstMainWindow::settingsDialogOnceAndPanelsClosed()
{
    release(button("ImgTxt"));
    QVERIFY(m_window->openPanel());
    release(button("ImgSet"));
    QCOMPARE(m_window->openPanel(), nullptr);
    QCOMPARE(m_window->width(), 510);
    QPointer<SettingsDialog> first = m_window->settingsDialog();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->objectName(), QStringLiteral("FrmSet"));

    // A second press brings the same dialog forward, not a fresh one.
    release(button("ImgSet"));
    QCOMPARE(m_window->settingsDialog(), first.data());

    // Once closed, the next press opens a new one.
    first->close();
    QTRY_VERIFY(first.isNull());
    release(button("ImgSet"));
    QVERIFY(m_window->settingsDialog());
}

void TstMainWindow::browserHidesTheWindow()
{
    release(button("ImgPage"));
    release(button("ImgView"));
    QVERIFY(!m_window->isVisible());
    QWidget *browser = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("FrmSee") && w->isVisible())
            browser = w;
    QVERIFY(browser);
    // The panel stays open behind the browser, and the motto keeps moving.
    QVERIFY(m_window->panel("FrmPage")->isVisibleTo(m_window.get()));
    QVERIFY(m_window->marquee()->timer1()->isActive() || m_window->marquee()->timer2()->isActive());
}

void TstMainWindow::orientationOnThePagePanel()
{
    Panel *page = m_window->panel("FrmPage");
    auto *landscape = page->findChild<QRadioButton *>(QStringLiteral("OptPageH"));
    auto *portrait = page->findChild<QRadioButton *>(QStringLiteral("OptPageV"));
    QVERIFY(landscape && portrait);
    QCOMPARE(landscape->text(), QStringLiteral("横向"));
    QCOMPARE(portrait->text(), QStringLiteral("竖向"));
    QVERIFY(landscape->isChecked());
    QCOMPARE(page->findChildren<QLabel *>(QStringLiteral("LabPageView")).size(), 2);
    const auto captions = page->findChildren<QLabel *>(QStringLiteral("LabPage"));
    const auto orientationCaption = std::find_if(captions.begin(), captions.end(),
                                                 [](QLabel *l) { return l->property("index").toInt() == 0; });
    QVERIFY(orientationCaption != captions.end());
    QCOMPARE((*orientationCaption)->text(), QStringLiteral("页面方向："));

    release(button("ImgPage"));
    m_card->moveElement(ElementId::LabName, 10, 10);
    m_card->setLineSize(1000, 15);
    m_card->setVisible(ElementId::LabJob, false);
    QTest::mouseClick(portrait, Qt::LeftButton);
    QCOMPARE(m_card->orientation(), Orientation::Portrait);
    QCOMPARE(m_window->canvas()->size(), QSize(207, 340));
    QCOMPARE(m_card->element(ElementId::LabName).left, 2205.0);
    QTest::mouseClick(landscape, Qt::LeftButton);
    QCOMPARE(m_card->orientation(), Orientation::Landscape);
    QCOMPARE(m_window->canvas()->size(), QSize(340, 207));
    for (const ElementPlaceRow &place : LandscapeLayout.places) {
        QCOMPARE(m_card->element(place.id).left, double(place.left));
        QCOMPARE(m_card->element(place.id).top, double(place.top));
    }
    QCOMPARE(m_card->element(ElementId::Hline).width, 4920.0);
    QVERIFY(!m_card->element(ElementId::LabJob).visible);
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
