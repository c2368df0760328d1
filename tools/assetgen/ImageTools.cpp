#include "ImageTools.h"

#include <algorithm>
#include <cmath>

namespace ImageTools {
namespace {
int clampChannel(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}
} // namespace

Mean mean(const QImage &image)
{
    Mean m;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            m.r += qRed(p);
            m.g += qGreen(p);
            m.b += qBlue(p);
        }
    }
    const double n = double(image.width()) * image.height();
    m.r /= n;
    m.g /= n;
    m.b /= n;
    return m;
}

void matchMean(QImage &image, QColor target)
{
    // Clamping at 0 and 255 makes one shift fall short, so a few rounds may be needed.
    for (int round = 0; round < 16; ++round) {
        const Mean m = mean(image);
        const int dr = int(std::lround(target.red() - m.r));
        const int dg = int(std::lround(target.green() - m.g));
        const int db = int(std::lround(target.blue() - m.b));
        if (dr == 0 && dg == 0 && db == 0)
            return;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                image.setPixel(x, y,
                               qRgb(std::clamp(qRed(p) + dr, 0, 255), std::clamp(qGreen(p) + dg, 0, 255),
                                    std::clamp(qBlue(p) + db, 0, 255)));
            }
        }
    }
}

QRgb mix(QRgb a, QRgb b, double t)
{
    return qRgb(clampChannel(qRed(a) + (qRed(b) - qRed(a)) * t),
                clampChannel(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                clampChannel(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

QRgb shade(QRgb c, double d)
{
    return qRgb(clampChannel(qRed(c) + d), clampChannel(qGreen(c) + d), clampChannel(qBlue(c) + d));
}

double wrapDelta(double d, double period)
{
    return d - period * std::round(d / period);
}
} // namespace ImageTools
