#include "app/MainWindow.h"

#include "app/AboutPanel.h"
#include "app/HelpPanel.h"
#include "app/Marquee.h"
#include "app/TitleBar.h"
#include "app/WorkArea.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "card/Twips.h"
#include "editing/CardCanvas.h"
#include "editing/ColorPanel.h"
#include "editing/ElementReactions.h"
#include "editing/FontPanel.h"
#include "editing/LinePanel.h"
#include "editing/PagePanel.h"
#include "editing/PicturePanel.h"
#include "editing/QrWindow.h"
#include "editing/ShowPanel.h"
#include "editing/UndoKeys.h"
#include "output/CardBrowser.h"
#include "output/SavePanel.h"
#include "settings/SettingsDialog.h"
#include "widgets/EscapeKey.h"
#include "widgets/Look.h"
#include "widgets/MenuButton.h"
#include "widgets/Panel.h"
#include "widgets/WindowMover.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <cstring>

namespace {
// The window as laid out before its load narrows it.
constexpr int LaidOutClientWidth = 11385;
constexpr int ClientHeight = 6120;

// The two etched separators of the menu column.
struct SeparatorRow {
    int left, right, y; // twips
};
constexpr std::array<SeparatorRow, 2> Separators{{{6480, 7440, 3060}, {6480, 7440, 4560}}};

QLabel *separator(const SeparatorRow &row, int index, QWidget *parent)
{
    const int left = Twips::toPx(row.left);
    const int width = Twips::toPx(row.right) - left;
    auto *line = new QLabel(parent);
    line->setObjectName(QStringLiteral("SpaceLine"));
    line->setProperty("index", index);
    line->setPixmap(Look::etchedLine(width));
    line->setGeometry(left, Twips::toPx(row.y), width, 2);
    // A line is drawn on the window, not a control: presses and moves over it are the window's own.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

template <class P> Panel *make(CardModel *card, QWidget *parent)
{
    return new P(card, parent);
}
template <class P> Panel *makeWithoutCard(CardModel *, QWidget *parent)
{
    return new P(parent);
}

template <class Table> int indexOf(const char *name, const Table &table)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (std::strcmp(table[i].name, name) == 0)
            return int(i);
    return -1;
}

QRect screenGeometry(const QWidget *w)
{
    if (const QScreen *s = w->screen())
        return s->geometry();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}
} // namespace

// clang-format off
const std::array<PanelRow, PanelCount> PanelTable{{
    {"FrmPage",  345, 1590, 5655, 9390,  make<PagePanel>},
    {"FrmColor", 360, 3225, 5640, 10995, make<ColorPanel>},
    {"FrmFont",  360, 3195, 5640, 10995, make<FontPanel>},
    {"FrmPic",   345, 2955, 5655, 10755, make<PicturePanel>},
    {"FrmHLine", 345, 3210, 5655, 10995, make<LinePanel>},
    {"FrmShow",  345, 1995, 5655, 9810,  make<ShowPanel>}, // widened by a column for "二维码"
    {"FrmSave",  345, 3225, 5655, 10995, make<SavePanel>},
    {"FrmHelp",  345, 3645, 5655, 11415, makeWithoutCard<HelpPanel>},
    {"FrmAbout", 345, 3645, 5655, 11445, makeWithoutCard<AboutPanel>},
}};
// clang-format on

MainWindow::MainWindow(CardModel *card, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_card(card)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Velnor"));
    Look::fill(this, Look::Grey);
    setMouseTracking(true);

    m_titleBar = new TitleBar(this);
    m_titleBar->setMotto(card->motto());
    connect(card, &CardModel::mottoChanged, m_titleBar, &TitleBar::setMotto);
    m_marquee = new Marquee(m_titleBar->info(), m_titleBar->motto(), this);

    m_workArea = new WorkArea(card, this);
    Panel::setGeometryTwips(m_workArea, 120, 420, 6255, 5565);
    m_canvas = m_workArea->canvas();
    new ElementReactions(m_canvas, this);
    connect(m_canvas, &CardCanvas::qrCodeRequested, this, [this] { QrWindow::showFor(m_card, this); });
    new UndoKeys(this, &card->history());

    for (size_t i = 0; i < MenuTable.size(); ++i) {
        auto *button = new MenuButton(MenuTable[i].name, MenuTable[i].stem, this);
        button->move(Twips::toPx(MenuLeft, MenuTable[i].top));
        button->setToolTip(QString::fromUtf8(MenuTable[i].tip));
        connect(button, &MenuButton::mouseMoved, this, [this, i] { menuHovered(int(i)); });
        connect(button, &MenuButton::released, this, [this, i] { menuReleased(int(i)); });
        m_menu[i] = button;
    }
    for (size_t i = 0; i < Separators.size(); ++i)
        separator(Separators[i], int(i), this);

    for (size_t i = 0; i < PanelTable.size(); ++i) {
        const PanelRow &row = PanelTable[i];
        Panel *panel = row.make(card, this);
        Panel::setGeometryTwips(panel, PanelLeft, row.top, row.width, row.height);
        panel->hide();
        // A button inside a panel may ask for another panel ("自定义>>>>" on the page panel), or for its
        // own panel to close (after a save): the window narrows again, re-centred.
        connect(panel, &Panel::openPanelRequested, this, [this](const QString &name) {
            showPanel(name.toLatin1().constData());
            if (Panel *shown = openPanel())
                shown->openedByRequest();
        });
        connect(panel, &Panel::closeRequested, this, &MainWindow::closePanels);
        m_panels[i] = panel;
    }

    // Keys people expect of a desktop program: Esc closes the open panel, F1 opens the help, Ctrl+S the
    // save panel (as their menu buttons do, name box focused).
    EscapeKey::onEscape(this, [this] {
        if (openPanel())
            closePanels();
    });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { openPanelByMenu("FrmHelp"); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
            [this] { openPanelByMenu("FrmSave"); });

    // The window moves by a press on its own background, on the work area outside the card, or on the
    // title bar outside its labels; presses on anything else belong to that control.
    auto *mover = new WindowMover(this);
    mover->watchOwnArea(this);
    mover->watchOwnArea(m_workArea);
    mover->watchOwnArea(m_titleBar);

    // The thin single border, drawn over the edge of everything the window holds.
    auto *border = new QFrame(this);
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    border->setLineWidth(1);
    Look::setColor(border, QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    border->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_border = border;

    resize(Twips::toPx(LaidOutClientWidth), Twips::toPx(ClientHeight));
}

void MainWindow::load()
{
    // 1. Width and place: centred on the screen, the height as laid out.
    resize(Twips::toPx(ClosedWindowWidth), height());
    const QRect screen = screenGeometry(this);
    const double left = (Twips::fromPx(screen.width()) - Twips::fromPx(width())) / 2;
    const double top = (Twips::fromPx(screen.height()) - Twips::fromPx(height())) / 2;
    move(screen.topLeft() + Twips::toPx(left, top));
    // 2-3. The card, its shadow and the element places are the model's landscape default card, which
    // the work area and the canvas already show.
    // 4. Menu pictures.
    showNormalPictures();
    // 5. The work area is tiled once with the page picture store's tile, and keeps what was painted.
    m_workArea->tileBackground(m_card->pictureStore());
    // 6. The page background switch starts on, so nothing is painted on the card itself (the model's
    // default); 7. the picture panel shows its own folder.
    // 8-11. Each panel's own start values: the text panel's font and size lists, the colour readout,
    // the line's scroll bars.
    for (Panel *panel : m_panels)
        panel->load();
    // 12. The user's settings.
    applyCardSettings(*m_card);
    // Nothing of the start-up can be undone: the history starts with the card as loaded.
    m_card->history().clear();
}

Panel *MainWindow::panel(const char *name) const
{
    const int i = indexOf(name, PanelTable);
    return i < 0 ? nullptr : m_panels[size_t(i)];
}

Panel *MainWindow::openPanel() const
{
    for (Panel *p : m_panels)
        if (p->isVisibleTo(this))
            return p;
    return nullptr;
}

MenuButton *MainWindow::menuButton(const char *name) const
{
    const int i = indexOf(name, MenuTable);
    return i < 0 ? nullptr : m_menu[size_t(i)];
}

void MainWindow::setPanelOpen(int index, bool open)
{
    for (size_t i = 0; i < m_panels.size(); ++i)
        if (int(i) != index)
            m_panels[i]->hide();
    m_panels[size_t(index)]->setVisible(open);
    setWidthTwips(open ? PanelTable[size_t(index)].openWidth : ClosedWindowWidth);
}

void MainWindow::togglePanel(int index)
{
    const bool open = !m_panels[size_t(index)]->isVisibleTo(this);
    setPanelOpen(index, open);
    if (open)
        m_panels[size_t(index)]->openedByMenu();
}

void MainWindow::togglePanel(const char *name)
{
    const int i = indexOf(name, PanelTable);
    if (i >= 0)
        togglePanel(i);
}

void MainWindow::showPanel(const char *name)
{
    const int i = indexOf(name, PanelTable);
    if (i >= 0)
        setPanelOpen(i, true);
}

void MainWindow::closePanels()
{
    for (Panel *p : m_panels)
        p->hide();
    setWidthTwips(ClosedWindowWidth);
}

void MainWindow::openPanelByMenu(const char *name)
{
    if (Panel *p = panel(name); p && !p->isVisibleTo(this))
        togglePanel(name);
}

void MainWindow::setWidthTwips(int width)
{
    resize(Twips::toPx(width), height());
    const QRect screen = screenGeometry(this);
    const double left = (Twips::fromPx(screen.width()) - width) / 2;
    move(screen.x() + Twips::toPx(left), y());
}

void MainWindow::showNormalPictures()
{
    for (MenuButton *button : m_menu)
        button->showPicture(MenuButton::Normal);
}

void MainWindow::menuHovered(int row)
{
    m_menu[size_t(row)]->showPicture(MenuButton::Hover);
    for (int neighbour : menuNeighbours(row))
        if (neighbour >= 0)
            m_menu[size_t(neighbour)]->showPicture(MenuButton::Normal);
}

void MainWindow::menuReleased(int row)
{
    const MenuRow &entry = MenuTable[size_t(row)];
    switch (entry.action) {
    case MenuAction::TogglePanel:
        togglePanel(entry.panel);
        break;
    case MenuAction::OpenBrowser:
        openBrowser();
        break;
    case MenuAction::OpenSettings:
        openSettings();
        break;
    case MenuAction::Exit:
        exitProgram();
        break;
    }
}

SettingsDialog *MainWindow::settingsDialog() const
{
    return m_settingsDialog.data();
}

void MainWindow::openSettings()
{
    closePanels();
    // One dialog at a time: a second press brings the open one forward as it stands.
    if (!m_settingsDialog)
        m_settingsDialog = new SettingsDialog(m_card, this);
    m_settingsDialog->show();
    m_settingsDialog->raise();
    m_settingsDialog->activateWindow();
}

void MainWindow::openBrowser()
{
    // Hidden, not closed: the panels and the card stay as they are until the browser shows the window again.
    hide();
    auto *browser = new CardBrowser(m_card, this);
    browser->show();
}

void MainWindow::exitProgram()
{
    if (m_exiting)
        return;
    m_exiting = true;
    m_titleBar->clearPicture();
    m_marquee->stop();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Only the window's own background: moves over a panel or the title bar reach here passed up.
    if (!childAt(event->position().toPoint()))
        showNormalPictures();
    QWidget::mouseMoveEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    m_border->setGeometry(rect());
    m_border->raise();
    QWidget::resizeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closed by the window system rather than by `ImgExit`: end the program the same way.
    event->accept();
    if (!m_exiting)
        exitProgram();
}
