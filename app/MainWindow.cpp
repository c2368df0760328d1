#include "app/MainWindow.h"

#include "app/AboutPanel.h"
#include "app/HelpPanel.h"
#include "app/LoadSteps.h"
#include "app/Marquee.h"
#include "app/TitleBar.h"
#include "app/WorkArea.h"
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
#include "editing/ShowPanel.h"
#include "output/CardBrowser.h"
#include "output/SavePanel.h"
#include "settings/SettingsDialog.h"
#include "widgets/EscapeKey.h"
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

// The two etched separators of the menu column: a grey line of width 1 over a white line of width 2.
struct SeparatorSpec {
    int left, right, y; // twips
};
constexpr std::array<SeparatorSpec, 2> Separators{{{6480, 7440, 3060}, {6480, 7440, 4560}}};

QLabel *separator(const SeparatorSpec &entry, int index, QWidget *parent)
{
    const int left = Twips::toPx(entry.left);
    const int width = Twips::toPx(entry.right) - left;
    QPixmap etched(width, 2);
    etched.fill(Qt::white);
    {
        QPainter p(&etched);
        p.setPen(QColor(0xC0, 0xC0, 0xC0));
        p.drawLine(0, 0, width - 1, 0);
    }
    auto *line = new QLabel(parent);
    line->setObjectName(QStringLiteral("SpaceLine"));
    line->setProperty("index", index);
    line->setPixmap(etched);
    line->setGeometry(left, Twips::toPx(entry.y), width, 2);
    // A line is drawn on the window, not a control: presses and moves over it are the window's own.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
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

MainWindow::MainWindow(CardModel *card, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_card(card)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Velnor"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(pal);
    setMouseTracking(true);

    m_titleBar = new TitleBar(this);
    m_titleBar->setMotto(card->motto());
    connect(card, &CardModel::mottoChanged, m_titleBar, &TitleBar::setMotto);
    m_marquee = new Marquee(m_titleBar->info(), m_titleBar->motto(), this);

    m_workArea = new WorkArea(card, this);
    Panel::setGeometryTwips(m_workArea, 120, 420, 6255, 5565);
    m_canvas = m_workArea->canvas();
    new ElementReactions(m_canvas, this);

    for (size_t i = 0; i < MenuTable.size(); ++i) {
        auto *button = new MenuButton(MenuTable[i].name, MenuTable[i].stem, this);
        button->move(Twips::toPx(MenuLeft, MenuTable[i].top));
        button->setToolTip(QString::fromUtf8(MenuTable[i].tip));
        connect(button, &MenuButton::mouseMoved, this, &MainWindow::menuHovered);
        connect(button, &MenuButton::released, this, &MainWindow::menuReleased);
        m_menu[i] = button;
    }
    for (size_t i = 0; i < Separators.size(); ++i)
        separator(Separators[i], int(i), this);

    m_panels = {new PagePanel(card, this),    new ColorPanel(card, this), new FontPanel(card, this),
                new PicturePanel(card, this), new LinePanel(card, this),  new ShowPanel(card, this),
                new SavePanel(card, this),    new HelpPanel(card, this),  new AboutPanel(card, this)};
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const PanelSpec &entry = PanelTable[i];
        Panel::setGeometryTwips(m_panels[i], PanelLeft, entry.top, entry.width, entry.height);
        m_panels[i]->hide();
        connect(m_panels[i], &Panel::openPanelRequested, this,
                [this](const QString &name) { showPanel(name.toLatin1().constData()); });
    }
    // "自定义>>>>" on the page panel opens the picture panel aimed at the page.
    connect(static_cast<PagePanel *>(panel("FrmPage")), &PagePanel::pagePictureRequested,
            static_cast<PicturePanel *>(panel("FrmPic")), &PicturePanel::choosePageTarget);
    // After a save (or "取消") the save panel closes and the window narrows again, re-centred.
    connect(static_cast<SavePanel *>(panel("FrmSave")), &SavePanel::closeRequested, this,
            &MainWindow::closePanels);

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
    QPalette borderPal = border->palette();
    borderPal.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    border->setPalette(borderPal);
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
    // 8-11. The text panel's font and size lists, the colour readout, the line's scroll bars.
    static_cast<FontPanel *>(panel("FrmFont"))->fillFontLists();
    LoadSteps::setReadoutTexts(this);
    LoadSteps::setLineScrollBars(this, *m_card);
    // 12. The user's settings.
    applyCardSettings(*m_card);
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

void MainWindow::togglePanel(const char *name)
{
    const int i = indexOf(name, PanelTable);
    if (i < 0)
        return;
    const bool open = !m_panels[size_t(i)]->isVisibleTo(this);
    setPanelOpen(i, open);
    if (open)
        m_panels[size_t(i)]->openedByMenu();
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

void MainWindow::menuHovered(MenuButton *button)
{
    button->showPicture(MenuButton::Hover);
    const MenuSpec &entry = MenuTable[size_t(indexOf(qPrintable(button->objectName()), MenuTable))];
    for (const char *neighbour : entry.neighbours)
        if (neighbour)
            menuButton(neighbour)->showPicture(MenuButton::Normal);
}

void MainWindow::menuReleased(MenuButton *button)
{
    const QByteArray name = button->objectName().toLatin1();
    for (const PanelSpec &entry : PanelTable)
        if (name == entry.button) {
            togglePanel(entry.name);
            return;
        }
    if (name == "ImgSet")
        openSettings();
    else if (name == "ImgView")
        openBrowser();
    else if (name == "ImgExit")
        exitProgram();
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
