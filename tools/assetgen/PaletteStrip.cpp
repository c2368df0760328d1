// The colour strip: a hue band (columns 0..189) that runs once round the colour circle, pale at the
// top, full in row 7 and nearly black at the bottom, and a grey ramp (columns 190..197).
#include "ImageTools.h"
#include "Pictures.h"

#include <cmath>

namespace Pictures {
namespace {
constexpr int Width = 198;
constexpr int Height = 15;
constexpr int BandWidth = 190;
constexpr int FullRow = 7;

struct Rgb {
    int r, g, b;
};

// The band's anchor columns: pale tint (row 0), full colour (row 7), darkest shade (row 14). Columns in
// between are blended from their two neighbours, the rows of a column from its three anchors.
struct Anchor {
    int column;
    Rgb pale, full, dark;
};
constexpr Anchor Anchors[] = {
    {0, {251, 222, 209}, {213, 11, 39}, {46, 6, 0}},     // red
    {31, {255, 252, 226}, {255, 240, 25}, {51, 50, 10}}, // yellow
    {57, {222, 239, 225}, {4, 165, 72}, {1, 38, 15}},    // green
    {94, {214, 239, 250}, {0, 160, 224}, {0, 36, 53}},   // cyan blue
    {121, {210, 215, 234}, {0, 58, 134}, {2, 0, 30}},    // blue
    {155, {245, 223, 235}, {192, 0, 122}, {44, 0, 25}},  // magenta
    {189, {251, 222, 209}, {213, 11, 39}, {46, 6, 0}},   // red again
};

Rgb blend(Rgb a, Rgb b, double t)
{
    return {int(std::lround(a.r + (b.r - a.r) * t)), int(std::lround(a.g + (b.g - a.g) * t)),
            int(std::lround(a.b + (b.b - a.b) * t))};
}

// A column's colour in one of the three anchor rows: 0 pale, 1 full, 2 dark.
Rgb anchorRow(int column, int which)
{
    const auto pick = [which](const Anchor &a) { return which == 0 ? a.pale : which == 1 ? a.full : a.dark; };
    for (size_t i = 0; i + 1 < std::size(Anchors); ++i) {
        const Anchor &a = Anchors[i];
        const Anchor &b = Anchors[i + 1];
        if (column >= a.column && column <= b.column)
            return blend(pick(a), pick(b), double(column - a.column) / (b.column - a.column));
    }
    return pick(Anchors[0]);
}

// The grey ramp's level in row y: white in the first two rows, then even steps down to black.
int greyLevel(int y)
{
    return y == 0 ? 255 : int(std::lround(255.0 * (14 - y) / 13));
}
} // namespace

QImage paletteStrip()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int x = 0; x < BandWidth; ++x) {
        const Rgb pale = anchorRow(x, 0);
        const Rgb full = anchorRow(x, 1);
        const Rgb dark = anchorRow(x, 2);
        for (int y = 0; y < Height; ++y) {
            const Rgb c = y <= FullRow ? blend(pale, full, double(y) / FullRow)
                                       : blend(full, dark, double(y - FullRow) / (Height - 1 - FullRow));
            image.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    }
    for (int x = BandWidth; x < Width; ++x) {
        for (int y = 0; y < Height; ++y) {
            const int g = greyLevel(y);
            image.setPixel(x, y, qRgb(g, g, g));
        }
    }
    return image;
}
} // namespace Pictures
