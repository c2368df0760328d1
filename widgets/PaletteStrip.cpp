#include "widgets/PaletteStrip.h"

#include "assets/Assets.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// The strip's picture is 198 x 15 pixels; the box keeps that inner size even while the picture is missing,
// so the panels lay out the same way.
constexpr QSize StripSize(198, 15);
} // namespace

PaletteStrip::PaletteStrip(QWidget *parent) : QFrame(parent), m_image(Assets::Palette)
{
    if (!m_image.isNull())
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFixedSize(StripSize + QSize(2, 2));
    setCursor(Qt::CrossCursor);
    // Hover reports need moves without a button held.
    setMouseTracking(true);
}

std::optional<VbColor> PaletteStrip::colorAt(const QPoint &inner) const
{
    if (m_image.isNull() || !m_image.rect().contains(inner))
        return std::nullopt;
    return VbColors::fromQColor(QColor(m_image.pixel(inner)));
}

void PaletteStrip::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
}

void PaletteStrip::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint inner = event->position().toPoint() - contentsRect().topLeft();
    if (event->buttons() == Qt::NoButton) {
        if (const auto color = colorAt(inner))
            emit hovered(*color);
        return;
    }
    // The press grabbed the mouse, so moves keep coming while the pointer is off the strip; the nearest
    // strip pixel stands in for it, which keeps every report a colour of the picture.
    if (m_image.isNull())
        return;
    const QPoint nearest(qBound(0, inner.x(), m_image.width() - 1),
                         qBound(0, inner.y(), m_image.height() - 1));
    if (const auto color = colorAt(nearest))
        emit draggedOver(*color, event->buttons());
}

void PaletteStrip::mousePressEvent(QMouseEvent *event)
{
    // Only the picture itself picks; the one-pixel border is not part of it.
    const QPoint inner = event->position().toPoint() - contentsRect().topLeft();
    if (const auto color = colorAt(inner))
        emit pressed(*color, event->button(), event->buttons());
}
