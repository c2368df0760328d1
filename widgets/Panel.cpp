#include "widgets/Panel.h"

#include "card/CardFonts.h"
#include "widgets/Look.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

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

QFont Panel::captionFont()
{
    return CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false);
}

int Panel::borderTop()
{
    return QFontMetrics(captionFont()).height() / 2;
}

void Panel::paintEvent(QPaintEvent *)
{
    // Background by autoFillBackground; the style's own group box (caption above a box drawn below it)
    // is not used, because its line would cross controls placed near the frame's top.
    QPainter p(this);
    const QFont font = captionFont();
    const QFontMetrics fm(font);
    const int top = borderTop();
    const QColor shadow(0xA0, 0xA0, 0xA0);
    const QColor light(Qt::white);
    const int right = width() - 1;
    const int bottom = height() - 1;

    const QString caption = title();
    const int captionWidth = caption.isEmpty() ? 0 : fm.horizontalAdvance(caption);
    // The top edge is left open where the caption stands.
    const int gapFrom = caption.isEmpty() ? right : CaptionLeft - CaptionGap;
    const int gapTo = caption.isEmpty() ? right : CaptionLeft + captionWidth + CaptionGap;

    // Etched: a grey rectangle with a white one a pixel down and right, the grey drawn last.
    for (int pass = 0; pass < 2; ++pass) {
        const int d = pass == 0 ? 1 : 0;
        p.setPen(pass == 0 ? light : shadow);
        const int l = d, t = top + d, r = right - 1 + d, b = bottom - 1 + d;
        p.drawLine(l, t, l, b);
        p.drawLine(l, b, r, b);
        p.drawLine(r, t, r, b);
        p.drawLine(l, t, std::min(r, gapFrom - 1), t);
        if (gapTo + 1 <= r)
            p.drawLine(gapTo + 1, t, r, t);
    }

    if (!caption.isEmpty()) {
        p.setFont(font);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(QPoint(CaptionLeft, fm.ascent()), caption);
    }
}
