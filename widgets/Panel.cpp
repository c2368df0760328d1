#include "widgets/Panel.h"

#include "widgets/Look.h"

#include <QPainter>

Panel::Panel(const char *objectName, const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    setObjectName(QLatin1String(objectName));
    // Frames share the window's light grey.
    Look::fill(this, Look::Grey);
}

void Panel::setGeometryTwips(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::rectToPx(left, top, width, height));
}
