#pragma once
// The program's own look, shared by every window: its light grey, the etched separator, colouring a
// control, and the grey push button.
#include <QColor>
#include <QPalette>
#include <QPixmap>

class QLabel;
class QPainter;
class QPushButton;
class QWidget;

namespace Look {
// The windows', panels' and buttons' background, 0x00E0E0E0.
inline const QColor Grey(0xE0, 0xE0, 0xE0);

// Sets one colour of the control's palette.
void setColor(QWidget *w, QPalette::ColorRole role, const QColor &color);
// Fills the control's background with the colour.
void fill(QWidget *w, const QColor &color);
// A push button on the grey that neither Enter nor Esc presses by itself.
QPushButton *pushButton(const QString &caption, QWidget *parent);

// Names a control after the control array it belongs to and gives it its index there (none for a
// control of its own).
inline constexpr int NoIndex = -1;
template <class W> W *indexed(W *w, const char *name, int index = NoIndex)
{
    w->setObjectName(QLatin1String(name));
    if (index != NoIndex)
        w->setProperty("index", index);
    return w;
}
// A label that sizes itself to its text, placed by its top-left corner (twips).
QLabel *label(QWidget *parent, const char *name, int index, const QString &text, int left, int top);

// The etched separator: a white line two pixels high with a grey line over its top row.
QPixmap etchedLine(int widthPx);
// The same painted from left to right (twips) with its top at top.
void paintEtchedLine(QPainter &p, int left, int top, int right);
} // namespace Look
