#pragma once
// The main window `FrmMain`: borderless, its own title bar, the work area with the card, the menu column
// and the nine side panels, of which at most one is open; the window widens to the right to show it.
// The menu table drives it: each row says which panel its button toggles or which action it runs.
#include <QPointer>
#include <QWidget>
#include <array>

class CardModel;
class CardCanvas;
class Marquee;
class MenuButton;
class Panel;
class SettingsDialog;
class TitleBar;
class WorkArea;

// One side panel: made by its factory, placed at PanelLeft and the row's Top (twips in the window).
struct PanelRow {
    const char *name; // the panel's control name
    int top;
    int width;
    int height;
    int openWidth; // the window's width while it is open
    Panel *(*make)(CardModel *card, QWidget *parent);
};

inline constexpr int ClosedWindowWidth = 7650;
inline constexpr int PanelLeft = 7620;
inline constexpr int PanelCount = 9;
extern const std::array<PanelRow, PanelCount> PanelTable;

// What a menu button does when released: toggle its panel, or one of the window's own actions.
enum class MenuAction { TogglePanel, OpenBrowser, OpenSettings, Exit };

// The menu column, top to bottom. Hovering a button shows its hover picture and resets its neighbours
// (the buttons next to it within its group) to their normal picture; other buttons keep theirs.
struct MenuRow {
    const char *name;
    int top; // twips
    const char *stem;
    int group;
    MenuAction action;
    int panel;       // the PanelTable row toggled, for MenuAction::TogglePanel
    const char *tip; // UTF-8 tooltip: what the button opens or does
};
inline constexpr int MenuLeft = 6592;
inline constexpr int NoPanel = -1;
// clang-format off
inline constexpr std::array<MenuRow, 12> MenuTable{{
    {"ImgPage",  420,  "page",    1, MenuAction::TogglePanel,  0,       "页面设置"},
    {"ImgColor", 852,  "color",   1, MenuAction::TogglePanel,  1,       "设置颜色"},
    {"ImgTxt",   1284, "txt",     1, MenuAction::TogglePanel,  2,       "文字信息编辑"},
    {"ImgPic",   1716, "pic",     1, MenuAction::TogglePanel,  3,       "图片设置"},
    {"ImgLine",  2148, "Recline", 1, MenuAction::TogglePanel,  4,       "直线设置"},
    {"ImgHide",  2580, "hide",    1, MenuAction::TogglePanel,  5,       "显示/隐藏"},
    {"ImSave",   3240, "save",    2, MenuAction::TogglePanel,  6,       "保存名片"},
    {"ImgView",  3660, "View",    2, MenuAction::OpenBrowser,  NoPanel, "浏览我的名片夹"},
    {"ImgSet",   4080, "set",     2, MenuAction::OpenSettings, NoPanel, "定制我的名片"},
    {"ImgHelp",  4740, "help",    3, MenuAction::TogglePanel,  7,       "Velnor操作指南"},
    {"ImgAbout", 5190, "about",   3, MenuAction::TogglePanel,  8,       "关于本程序"},
    {"ImgExit",  5640, "exit",    3, MenuAction::Exit,         NoPanel, "退出程序"},
}};
// clang-format on

// The rows next to a row within its group (-1 where there is none).
inline constexpr std::array<int, 2> menuNeighbours(int row)
{
    const int group = MenuTable[size_t(row)].group;
    const int before = row > 0 && MenuTable[size_t(row - 1)].group == group ? row - 1 : -1;
    const int after =
        row + 1 < int(MenuTable.size()) && MenuTable[size_t(row + 1)].group == group ? row + 1 : -1;
    return {before, after};
}

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(CardModel *card, QWidget *parent = nullptr);

    // The load, once, before the window is first shown: width and place, the menu pictures, the tiled work
    // area, each panel's own start values, then the user's settings file.
    void load();

    CardModel *card() const { return m_card; }
    CardCanvas *canvas() const { return m_canvas; }
    TitleBar *titleBar() const { return m_titleBar; }
    Marquee *marquee() const { return m_marquee; }
    Panel *panel(const char *name) const;
    Panel *openPanel() const; // nullptr when none is open
    MenuButton *menuButton(const char *name) const;
    SettingsDialog *settingsDialog() const; // the open one, or nullptr

    // A panel button's action: hide the others, toggle this one, set the width, re-centre keeping Top.
    void togglePanel(const char *name);
    // Shows the panel (closing any other) whether or not it was open.
    void showPanel(const char *name);
    void closePanels();
    // As the panel's menu button opens it; a panel already open stays as it is.
    void openPanelByMenu(const char *name);
    // Outer width in twips; Left re-centred on the screen, Top kept.
    void setWidthTwips(int width);

    // What the menu buttons do on release.
    void openSettings(); // `ImgSet`
    void openBrowser();  // `ImgView`
    void exitProgram();  // `ImgExit`: every window closes and the program ends

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setPanelOpen(int index, bool open);
    void togglePanel(int index);
    void menuHovered(int row);
    void menuReleased(int row);
    void showNormalPictures();

    CardModel *m_card;
    TitleBar *m_titleBar = nullptr;
    Marquee *m_marquee = nullptr;
    WorkArea *m_workArea = nullptr;
    CardCanvas *m_canvas = nullptr;
    std::array<MenuButton *, MenuTable.size()> m_menu{};
    std::array<Panel *, PanelCount> m_panels{};
    QWidget *m_border = nullptr;
    QPointer<SettingsDialog> m_settingsDialog;
    bool m_exiting = false;
};
