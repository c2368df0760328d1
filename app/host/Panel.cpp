#include "app/host/Panel.h"

Panel::Panel(const char *objectName, const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    setObjectName(QLatin1String(objectName));
    // Frames share the window's light grey (0x00E0E0E0).
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(pal);
}

void Panel::setGeometryTwips(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::rectToPx(left, top, width, height));
}
