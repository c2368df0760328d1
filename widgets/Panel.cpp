#include "widgets/Panel.h"

#include <QPainter>

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

void Panel::paintEtchedLine(QPainter &p, int left, int top, int right)
{
    const QRect line = Twips::rectToPx(left, top, right - left, 0);
    p.fillRect(QRect(line.left(), line.top(), line.width() + 1, 2), Qt::white);
    p.fillRect(QRect(line.left(), line.top(), line.width() + 1, 1), QColor(0xC0, 0xC0, 0xC0));
}
