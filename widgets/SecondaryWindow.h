#pragma once
// The chrome every secondary window shares (card browser, print window, settings dialog): no system title
// bar, a thin border, an own title bar `PicBarBg` (the title bitmap with the title `LabBarTitle`) that moves
// the window when pressed with any button, and the close label `LabClose` "×" whose look follows the mouse
// (normal, hover, pressed) and which closes the window when the button pressed on it is released.
//
// The window is deleted when closed, so each opening starts afresh; a subclass reacts to closing in its
// closeEvent(). Controls go into client(), the client area, at places given in twips relative to it.
#include <QWidget>

class QLabel;
class WindowMover;

struct SecondaryWindowLayout {
    const char *name;  // the window's control name, e.g. "FrmSee"
    const char *title; // UTF-8 caption of `LabBarTitle`
    int clientWidth;   // twips
    int clientHeight;  // twips
    int titleLeft;     // Left of `LabBarTitle` in the title bar, twips
    int closeLeft;     // Left of `LabClose` in the title bar, twips
};

class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    // Initial is the label's own colour (pure blue), shown until the first mouse move sets a look.
    enum class CloseLook { Initial, Normal, Hover, Pressed };

    explicit SecondaryWindow(const SecondaryWindowLayout &entry, QWidget *parent = nullptr);

    QWidget *client() const { return m_client; }    // background 0x00E0E0E0, the controls' parent
    QLabel *titleBar() const { return m_titleBar; } // `PicBarBg`
    QLabel *titleLabel() const { return m_title; }  // `LabBarTitle`
    QLabel *closeLabel() const { return m_close; }  // `LabClose`
    WindowMover *mover() const { return m_mover; }  // watch() more widgets to let them move the window

    CloseLook closeLook() const { return m_look; }
    void setCloseLook(CloseLook look);
    // Mouse moves over this widget (and over children that leave moves to it) put the close label back
    // to its normal look. The client area and the title bar are such areas from the start.
    void addNormalLookArea(QWidget *area);

    // Outer size for a client area given in twips: the border adds a pixel on each side.
    static QSize outerSizePx(int clientWidthTwips, int clientHeightTwips);
    // A picture box with a sunken border, placed in twips: returns its inner area, named after the
    // control, in which children are placed in pixels as inside the picture box.
    static QLabel *sunkenBox(QWidget *parent, const char *name, int left, int top, int width, int height);
    // Centres the window on the screen of another window (or the primary screen).
    void centreOnScreen(const QWidget *near = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_client;
    QLabel *m_titleBar;
    QLabel *m_title;
    QLabel *m_close;
    WindowMover *m_mover;
    QList<QWidget *> m_normalLookAreas;
    CloseLook m_look = CloseLook::Initial;
    bool m_closePressed = false;
};
