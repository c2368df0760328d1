#pragma once
// Measuring and nudging whole pictures: the textures are described by their average colour.
#include <QColor>
#include <QImage>

namespace ImageTools {
struct Mean {
    double r = 0, g = 0, b = 0;
};
Mean mean(const QImage &image);
// Shifts every channel by a constant (clamped) until the average is within half a step of `target`.
void matchMean(QImage &image, QColor target);
// a + (b - a) * t per channel, t in [0, 1].
QRgb mix(QRgb a, QRgb b, double t);
// Adds d to every channel, clamped.
QRgb shade(QRgb c, double d);
// Distance along one axis on a torus of the given period: the shorter way round.
double wrapDelta(double d, double period);
} // namespace ImageTools
