#pragma once
// Twips (1/1440 inch) are the unit of every size and place; the screen is fixed at 15 twips per pixel
// and 96 pixels per inch, whatever the real screen's DPI or scaling, so a card is 340 x 207 pixels
// everywhere.
#include <QPoint>
#include <QRect>
#include <cmath>

namespace Twips {
inline constexpr int PerPixel = 15;

inline int toPx(double twips)
{
    return int(std::floor(twips / PerPixel + 0.5));
}
inline double fromPx(double px)
{
    return px * PerPixel;
}
inline QPoint toPx(double left, double top)
{
    return {toPx(left), toPx(top)};
}
inline QRect rectToPx(double left, double top, double width, double height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}
// Font sizes are points at 96 pixels per inch.
inline int pointsToPx(double points)
{
    return int(std::floor(points * 96.0 / 72.0 + 0.5));
}
} // namespace Twips
