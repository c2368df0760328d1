#pragma once
// A captioned frame laid out in twips: the side panels of the main window and the groups inside windows.
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
    // Runs after the main window has shown this panel through its menu button and re-centred itself.
    virtual void openedByMenu() {}
    // Runs after the main window has shown this panel because another panel asked for it.
    virtual void openedByRequest() {}

signals:
    // Asks the main window to show another panel (by its control name), as a button inside a panel may.
    void openPanelRequested(const QString &name);
    // Asks the main window to close this panel, as a panel's own button may.
    void closeRequested();
};
