#pragma once
// A captioned frame laid out in twips: the side panels of the main window and the groups inside windows.
// Drawn as the classic toolkit draws a frame: an etched border whose top edge runs through the middle of
// the caption's line, interrupted by the caption a few pixels from the left. The frame's own top-left is
// the origin of its controls' places, so the caption takes no room from them.
#include "card/Twips.h"

#include <QGroupBox>

class QPainter;

class Panel : public QGroupBox {
    Q_OBJECT
public:
    Panel(const char *objectName, const QString &caption, QWidget *parent = nullptr);

    // Names a child after its control and puts it at a place given in twips inside its parent.
    template <class W> static W *place(W *w, const char *name, int left, int top, int width, int height)
    {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(Twips::rectToPx(left, top, width, height));
        return w;
    }
    static void setGeometryTwips(QWidget *w, double left, double top, double width, double height);

    // The main window's load, once, before it is first shown: the panel sets its own start values.
    virtual void load() {}

    // The caption's font ("宋体" 9 pt) and where the border runs: its top edge, in pixels from the frame's
    // top, is half the caption's line height; the caption starts CaptionLeft pixels in.
    static QFont captionFont();
    static int borderTop();
    static constexpr int CaptionLeft = 8;
    static constexpr int CaptionGap = 2; // the border stops this far either side of the caption

    // Runs after the main window has shown this panel through its menu button and re-centred itself.
    virtual void openedByMenu() {}
    // Runs after the main window has shown this panel because another panel asked for it.
    virtual void openedByRequest() {}

protected:
    void paintEvent(QPaintEvent *event) override;

signals:
    // Asks the main window to show another panel (by its control name), as a button inside a panel may.
    void openPanelRequested(const QString &name);
    // Asks the main window to close this panel, as a panel's own button may.
    void closeRequested();
};
