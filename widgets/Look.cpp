#include "widgets/Look.h"

#include "card/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace Look {
namespace {
const QColor EtchedGrey(0xC0, 0xC0, 0xC0);
}

void setColor(QWidget *w, QPalette::ColorRole role, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(role, color);
    w->setPalette(pal);
}

void fill(QWidget *w, const QColor &color)
{
    w->setAutoFillBackground(true);
    setColor(w, QPalette::Window, color);
}

QPushButton *pushButton(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    setColor(b, QPalette::Button, Grey);
    return b;
}

QLabel *label(QWidget *parent, const char *name, int index, const QString &text, int left, int top)
{
    auto *l = indexed(new QLabel(text, parent), name, index);
    l->move(Twips::toPx(left, top));
    l->adjustSize();
    return l;
}

QPixmap etchedLine(int widthPx)
{
    QImage line(widthPx, 2, QImage::Format_RGB32);
    line.fill(Qt::white);
    QPainter p(&line);
    p.fillRect(QRect(0, 0, widthPx, 1), EtchedGrey);
    p.end();
    return QPixmap::fromImage(line);
}

void paintEtchedLine(QPainter &p, int left, int top, int right)
{
    const QRect line = Twips::rectToPx(left, top, right - left, 0);
    p.fillRect(QRect(line.left(), line.top(), line.width() + 1, 2), Qt::white);
    p.fillRect(QRect(line.left(), line.top(), line.width() + 1, 1), EtchedGrey);
}
} // namespace Look
