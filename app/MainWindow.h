#pragma once
// The main window `FrmMain`: borderless, its own title bar, the work area with the card, the menu column
// and the nine side panels, of which at most one is open; the window widens to the right to show it.
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

struct PanelSpec {
    const char *name;   // the panel's control name
    const char *button; // the menu button that toggles it
    int top;            // twips in the window; every panel's left edge is at PanelLeft
    int width;
    int height;
    int openWidth; // the window's width while it is open
};

inline constexpr int ClosedWindowWidth = 7650;
inline constexpr int PanelLeft = 7620;
inline constexpr std::array<PanelSpec, 9> PanelTable{{
    {"FrmPage", "ImgPage", 345, 1590, 5655, 9390},
    {"FrmColor", "ImgColor", 360, 3225, 5640, 10995},
    {"FrmFont", "ImgTxt", 360, 3195, 5640, 10995},
    {"FrmPic", "ImgPic", 345, 2955, 5655, 10755},
    {"FrmHLine", "ImgLine", 345, 3210, 5655, 10995},
    {"FrmShow", "ImgHide", 345, 1155, 5655, 8970},
    {"FrmSave", "ImSave", 345, 3225, 5655, 10995},
    {"FrmHelp", "ImgHelp", 345, 3645, 5655, 11415},
    {"FrmAbout", "ImgAbout", 345, 3645, 5655, 11445},
}};

// The menu column, top to bottom. Hovering a button shows its hover picture and resets its neighbours
// (the buttons next to it within its group) to their normal picture; other buttons keep theirs.
struct MenuSpec {
    const char *name;
    int top; // twips
    const char *stem;
    int group;
    std::array<const char *, 2> neighbours; // nullptr where there is only one
    const char *tip;                        // UTF-8 tooltip: what the button opens or does
};
inline constexpr int MenuLeft = 6592;
inline constexpr std::array<MenuSpec, 12> MenuTable{{
    {"ImgPage", 420, "page", 1, {"ImgColor", nullptr}, "页面设置"},
    {"ImgColor", 852, "color", 1, {"ImgPage", "ImgTxt"}, "设置颜色"},
    {"ImgTxt", 1284, "txt", 1, {"ImgColor", "ImgPic"}, "文字信息编辑"},
    {"ImgPic", 1716, "pic", 1, {"ImgTxt", "ImgLine"}, "图片设置"},
    {"ImgLine", 2148, "Recline", 1, {"ImgPic", "ImgHide"}, "直线设置"},
    {"ImgHide", 2580, "hide", 1, {"ImgLine", nullptr}, "显示/隐藏"},
    {"ImSave", 3240, "save", 2, {"ImgView", nullptr}, "保存名片"},
    {"ImgView", 3660, "View", 2, {"ImSave", "ImgSet"}, "浏览我的名片夹"},
    {"ImgSet", 4080, "set", 2, {"ImgView", nullptr}, "定制我的名片"},
    {"ImgHelp", 4740, "help", 3, {"ImgAbout", nullptr}, "Velnor操作指南"},
    {"ImgAbout", 5190, "about", 3, {"ImgHelp", "ImgExit"}, "关于本程序"},
    {"ImgExit", 5640, "exit", 3, {"ImgAbout", nullptr}, "退出程序"},
}};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(CardModel *card, QWidget *parent = nullptr);

    // The load, once, before the window is first shown: width and place, the menu pictures, the tiled work
    // area, the panels' lists and readouts, then the user's settings file.
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
    void menuHovered(MenuButton *button);
    void menuReleased(MenuButton *button);
    void showNormalPictures();

    CardModel *m_card;
    TitleBar *m_titleBar = nullptr;
    Marquee *m_marquee = nullptr;
    WorkArea *m_workArea = nullptr;
    CardCanvas *m_canvas = nullptr;
    std::array<MenuButton *, 12> m_menu{};
    std::array<Panel *, 9> m_panels{};
    QWidget *m_border = nullptr;
    QPointer<SettingsDialog> m_settingsDialog;
    bool m_exiting = false;
};
