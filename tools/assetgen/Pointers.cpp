// The custom pointers, drawn pixel by pixel in the classic style: a white hand with a black outline,
// every pixel either clear or opaque. Hot spots: assets/Assets.h.
#include "Pictures.h"
#include "PixelArt.h"
#include "assets/Assets.h"

namespace Pictures {
namespace {
constexpr int Size = 32;
const std::initializer_list<PixelArt::Ink> Inks = {{'k', qRgb(0, 0, 0)}, {'w', qRgb(255, 255, 255)}};

QImage canvas()
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}
} // namespace

// clang-format off
QImage menuCursor()
{
    QImage image = canvas();
    // The tip of the pointing finger (column 5, row 0 of the drawing) is the hot spot.
    PixelArt::paint(image, Assets::MenuCursorHotX - 5, Assets::MenuCursorHotY,
                    {
                     ".....kk...........",
                     "....kwwk..........",
                     "....kwwk..........",
                     "....kwwk..........",
                     "....kwwk..........",
                     "....kwwkkk........",
                     "....kwwkwwkkk.....",
                     ".kk.kwwkwwkwwkk...",
                     "kwwkkwwkwwkwwkwk..",
                     "kwwwkwwkwwkwwkwk..",
                     ".kwwwwwwwwwwwwwwk.",
                     ".kwwwwwwwwwwwwwwk.",
                     "..kwwwwwwwwwwwwwk.",
                     "..kwwwwwwwwwwwwwk.",
                     "...kwwwwwwwwwwwwk.",
                     "...kwwwwwwwwwwwk..",
                     "....kwwwwwwwwwwk..",
                     "....kwwwwwwwwwwk..",
                     ".....kwwwwwwwwk...",
                     ".....kwwwwwwwwk...",
                     "......kkkkkkkk....",
                    },
                    Inks);
    return image;
}

QImage handCursor()
{
    QImage image = canvas();
    // The middle of the palm (column 8, row 12 of the drawing) is the hot spot.
    PixelArt::paint(image, Assets::HandCursorHotX - 8, Assets::HandCursorHotY - 12,
                    {
                     ".......kk........",
                     "......kwwkkk.....",
                     "....kkkwwkwwk....",
                     "...kwwkwwkwwk....",
                     "...kwwkwwkwwkkk..",
                     "...kwwkwwkwwkwwk.",
                     "...kwwkwwkwwkwwk.",
                     "...kwwkwwkwwkwwk.",
                     ".kkkwwkwwkwwkwwk.",
                     "kwwkwwkwwkwwkwwk.",
                     "kwwwwwwwwwwwwwwk.",
                     ".kwwwwwwwwwwwwwk.",
                     ".kwwwwwwwwwwwwwk.",
                     "..kwwwwwwwwwwwwk.",
                     "...kwwwwwwwwwwwk.",
                     "...kwwwwwwwwwwk..",
                     "....kwwwwwwwwwk..",
                     "....kwwwwwwwwwk..",
                     ".....kwwwwwwwk...",
                     ".....kwwwwwwwk...",
                     "......kkkkkkk....",
                    },
                    Inks);
    return image;
}

QImage grabCursor()
{
    QImage image = canvas();
    // The middle of the fist (column 8, row 10 of the drawing) is the hot spot.
    PixelArt::paint(image, Assets::GrabCursorHotX - 8, Assets::GrabCursorHotY - 10,
                    {
                     ".................",
                     ".................",
                     ".......kk.kk.....",
                     "....kkkwwkwwk....",
                     "...kwwkwwkwwkkk..",
                     ".kkkwwkwwkwwkwwk.",
                     "kwwkwwwwwwwwwwwk.",
                     "kwwwwwwwwwwwwwwk.",
                     ".kwwwwwwwwwwwwwk.",
                     ".kwwwwwwwwwwwwwk.",
                     "..kwwwwwwwwwwwwk.",
                     "..kwwwwwwwwwwwk..",
                     "...kwwwwwwwwwwk..",
                     "...kwwwwwwwwwwk..",
                     "....kwwwwwwwwk...",
                     "....kwwwwwwwwk...",
                     ".....kkkkkkkk....",
                    },
                    Inks);
    return image;
}
// clang-format on
} // namespace Pictures
