// The twelve paper textures. Four are fixed pixel for pixel (0, 2, 10, 11); the others are drawn from
// periodic noise and shapes wrapped round a 32-pixel torus, so that tiling shows no seam, and their
// average colour is then pulled onto the described one.
#include "ImageTools.h"
#include "PeriodicNoise.h"
#include "Pictures.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace Pictures {
namespace {
constexpr int Size = 32;
constexpr double Pi = 3.14159265358979323846;

using ImageTools::mix;
using ImageTools::wrapDelta;

QImage blank()
{
    QImage image(Size, Size, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    return image;
}

void forEachPixel(QImage &image, const std::function<QRgb(int, int)> &colourAt)
{
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            image.setPixel(x, y, colourAt(x, y));
}

// Feature points on the torus, for cells (crackle) and circles (rings).
struct Point {
    double x, y, r;
};

std::vector<Point> scatter(Rng &rng, int count, double minR, double maxR)
{
    std::vector<Point> points;
    for (int i = 0; i < count; ++i)
        points.push_back({rng.uniform(0, Size), rng.uniform(0, Size), rng.uniform(minR, maxR)});
    return points;
}

double torusDistance(double x, double y, const Point &p)
{
    return std::hypot(wrapDelta(x - p.x, Size), wrapDelta(y - p.y, Size));
}

// 1 on a cell wall of the periodic Voronoi diagram, falling to 0 at `halfWidth` pixels from it.
double cellWall(double x, double y, const std::vector<Point> &points, double halfWidth)
{
    double d1 = 1e9, d2 = 1e9;
    for (const Point &p : points) {
        const double d = torusDistance(x, y, p);
        if (d < d1) {
            d2 = d1;
            d1 = d;
        } else if (d < d2) {
            d2 = d;
        }
    }
    return std::clamp(1.0 - (d2 - d1) / 2.0 / halfWidth, 0.0, 1.0);
}

// Height fields are lit from the top left: the slope towards the light brightens.
double emboss(const std::function<double(double, double)> &height, int x, int y)
{
    return height(x - 1, y - 1) - height(x + 1, y + 1);
}

// 0: one-pixel horizontal stripes.
QImage stripes()
{
    QImage image = blank();
    forEachPixel(image, [](int, int y) { return y % 2 == 0 ? qRgb(204, 204, 204) : qRgb(255, 255, 255); });
    return image;
}

// 1: pale beige parchment with a fine irregular grain.
QImage parchment()
{
    Rng rng(0x5041524348ull);
    const PeriodicNoise cloud(4, Size, rng);
    const PeriodicNoise mottle(8, Size, rng);
    const PeriodicNoise fibre(16, Size, rng);
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        // Fibres lie roughly along the rows: stretch the fine noise horizontally.
        const double fibres = fibre.at(x * 0.25, y);
        const double v =
            7.0 * cloud.at(x, y) + 4.0 * mottle.at(x, y) + 4.0 * fibres + 3.0 * rng.uniform(-1, 1);
        return qRgb(std::clamp(int(std::lround(230 + v)), 0, 255),
                    std::clamp(int(std::lround(218 + v * 1.1)), 0, 255),
                    std::clamp(int(std::lround(207 + v * 1.25)), 0, 255));
    });
    ImageTools::matchMean(image, QColor(230, 218, 207));
    return image;
}

// 2: white with an 8 x 8 grid of single dots.
QImage dots()
{
    QImage image = blank();
    forEachPixel(image, [](int x, int y) {
        return x % 4 == 0 && y % 4 == 0 ? qRgb(228, 204, 163) : qRgb(255, 255, 255);
    });
    return image;
}

// 3: white crossed by lavender crackle veins: walls of two periodic cell patterns, a coarse strong one
// and a fine faint one.
QImage crackle()
{
    Rng rng(0x435241434Bull);
    const std::vector<Point> coarse = scatter(rng, 6, 0, 0);
    const std::vector<Point> fine = scatter(rng, 16, 0, 0);
    const PeriodicNoise wash(4, Size, rng);
    std::vector<double> veins(Size * Size);
    double sum = 0;
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            // Sharp cracks, the colour seeping a little into the glaze beside them, and faint hairlines.
            // A pale wash over the glaze, lighter in the middle of the cells.
            const double glaze = 0.2 + 0.08 * wash.at(cx, cy);
            const double t =
                std::max({cellWall(cx, cy, coarse, 0.8), glaze + 0.35 * cellWall(cx, cy, coarse, 3.5),
                          glaze + 0.25 * cellWall(cx, cy, fine, 0.6)});
            veins[size_t(y * Size + x)] = t;
            sum += t;
        }
    }
    // Choose the vein colour so that white paper plus veins averages the described lavender.
    const double m = sum / (Size * Size);
    const QColor target(218, 214, 231);
    const auto vein = [&](int channel) { return std::clamp(255.0 - (255.0 - channel) / m, 0.0, 255.0); };
    const QRgb veinColour =
        qRgb(int(vein(target.red())), int(vein(target.green())), int(vein(target.blue())));
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        return mix(qRgb(255, 255, 255), veinColour, veins[size_t(y * Size + x)]);
    });
    ImageTools::matchMean(image, target);
    return image;
}

// 4: light wood, tan and honey streaks running across.
QImage wood()
{
    Rng rng(0x574F4F44ull);
    const PeriodicNoise warp(2, Size, rng);
    const PeriodicNoise ripple(4, Size, rng);
    std::vector<double> fibre(Size);
    for (double &f : fibre)
        f = rng.uniform(-1, 1);
    QImage image = blank();
    const QRgb honey = qRgb(240, 201, 142);
    const QRgb tan = qRgb(196, 142, 84);
    forEachPixel(image, [&](int x, int y) {
        // Five growth rings per tile, gently bent, with fine pores between them; whole numbers of waves
        // keep the rows periodic.
        // The rings lie unevenly apart (noise along the column) and sway a little along the row.
        const double bend = 0.3 * warp.at(5.5, y) + 0.12 * warp.at(x, y) + 0.06 * ripple.at(x, y);
        const double ring = std::pow(0.5 + 0.5 * std::sin(2 * Pi * (5.0 * y / Size + bend)), 2.0);
        const double pores = 0.5 + 0.5 * std::sin(2 * Pi * (16.0 * y / Size + 1.6 * bend));
        const QRgb base = mix(honey, tan, std::min(1.0, ring + 0.18 * pores));
        return ImageTools::shade(base, 4.0 * fibre[size_t(y)] + 2.0 * rng.uniform(-1, 1));
    });
    ImageTools::matchMean(image, QColor(222, 177, 121));
    return image;
}

// 5: silver-grey embossed waves.
QImage waves()
{
    const auto height = [](double x, double y) {
        const double phase = 3.0 * y / Size + 0.22 * std::sin(2 * Pi * x / Size) +
                             0.08 * std::sin(2 * Pi * 2 * x / Size + 1.0);
        return std::sin(2 * Pi * phase);
    };
    Rng rng(0x5741564553ull);
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        const double v = 198 + 24.0 * emboss(height, x, y) + 5.0 * height(x, y) + 1.5 * rng.uniform(-1, 1);
        const int grey = std::clamp(int(std::lround(v)), 0, 255);
        return qRgb(grey, grey, grey);
    });
    ImageTools::matchMean(image, QColor(198, 198, 198));
    return image;
}

// 6: orange ground with overlapping light-apricot ring outlines.
QImage rings()
{
    Rng rng(0x52494E4753ull);
    const std::vector<Point> circles = scatter(rng, 7, 4.0, 9.5);
    const QRgb orange = qRgb(247, 148, 29);
    const QRgb apricot = qRgb(253, 198, 137);
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        double ink = 0;
        for (const Point &c : circles) {
            const double d = torusDistance(x + 0.5, y + 0.5, c);
            // A stroke 1.3 pixels wide, its edges covered partly.
            ink = std::max(ink, std::clamp(1.15 - std::abs(d - c.r), 0.0, 1.0));
        }
        return mix(orange, apricot, ink);
    });
    return image;
}

// 7: mottled mauve.
QImage mauve()
{
    Rng rng(0x4D41555645ull);
    const PeriodicNoise blotch(2, Size, rng);
    const PeriodicNoise mottle(4, Size, rng);
    const PeriodicNoise speck(8, Size, rng);
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        const double n = 0.5 * blotch.at(x, y) + 0.35 * mottle.at(x, y) + 0.25 * speck.at(x, y);
        const double grain = 2.5 * rng.uniform(-1, 1);
        // The light patches lean to pink, the dark ones to violet.
        return qRgb(std::clamp(int(std::lround(162 + 34 * n + grain)), 0, 255),
                    std::clamp(int(std::lround(124 + 26 * n + grain)), 0, 255),
                    std::clamp(int(std::lround(160 + 22 * n + grain)), 0, 255));
    });
    ImageTools::matchMean(image, QColor(162, 124, 160));
    return image;
}

// 8: off-white rough plaster: a bumpy height field, lit.
QImage plaster()
{
    Rng rng(0x504C4153ull);
    const PeriodicNoise lumps(4, Size, rng);
    const PeriodicNoise bumps(8, Size, rng);
    const PeriodicNoise grit(16, Size, rng);
    const auto height = [&](double x, double y) {
        return 0.5 * lumps.at(x, y) + 0.35 * bumps.at(x, y) + 0.3 * grit.at(x, y);
    };
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        const double v = 241 + 9.0 * emboss(height, x, y) + 2.0 * rng.uniform(-1, 1);
        const int grey = std::clamp(int(std::lround(v)), 0, 255);
        return qRgb(grey, grey, grey);
    });
    ImageTools::matchMean(image, QColor(241, 241, 241));
    return image;
}

// 9: blue-grey granite speckle.
QImage granite()
{
    Rng rng(0x4752414Eull);
    const PeriodicNoise cloud(4, Size, rng);
    const QRgb base = qRgb(154, 168, 180);
    QImage image = blank();
    forEachPixel(image, [&](int x, int y) {
        const double pick = rng.uniform();
        QRgb c;
        if (pick < 0.03)
            c = qRgb(82, 90, 104); // dark mica
        else if (pick < 0.18)
            c = qRgb(124, 136, 150);
        else if (pick < 0.30)
            c = qRgb(186, 196, 206);
        else if (pick < 0.32)
            c = qRgb(220, 226, 232); // quartz
        else
            c = ImageTools::shade(base, 6.0 * rng.uniform(-1, 1));
        return ImageTools::shade(c, 7.0 * cloud.at(x, y));
    });
    ImageTools::matchMean(image, QColor(152, 166, 178));
    return image;
}

// 10: grey diamonds on periwinkle, one per 8 x 8 cell.
QImage diamonds()
{
    QImage image = blank();
    forEachPixel(image, [](int x, int y) {
        const int u = x % 8, v = y % 8;
        const bool grey = std::abs(u - 3) + std::abs(v - 3) <= 3 && (u + v) % 2 == 1;
        return grey ? qRgb(122, 122, 122) : qRgb(175, 178, 231);
    });
    return image;
}

// 11: a Greek key in two terracottas, repeating every 8 pixels.
QImage meander()
{
    static const char *const Cell[8] = {"LLLLLLDL", "DDDDDLDL", "DLLLDLDL", "DLDDDLDL",
                                        "DLDLLLDL", "DLDDDDDL", "DLLLLLLL", "DDDDDDDL"};
    QImage image = blank();
    forEachPixel(image, [](int x, int y) {
        return Cell[y % 8][x % 8] == 'D' ? qRgb(192, 136, 116) : qRgb(219, 180, 155);
    });
    return image;
}
} // namespace

QImage texture(int index)
{
    switch (index) {
    case 0:
        return stripes();
    case 1:
        return parchment();
    case 2:
        return dots();
    case 3:
        return crackle();
    case 4:
        return wood();
    case 5:
        return waves();
    case 6:
        return rings();
    case 7:
        return mauve();
    case 8:
        return plaster();
    case 9:
        return granite();
    case 10:
        return diamonds();
    case 11:
        return meander();
    }
    return QImage();
}
} // namespace Pictures
