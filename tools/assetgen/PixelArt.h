#pragma once
// Small hand-drawn bitmaps (icons, pointers) written as rows of characters, one character a pixel.
#include <QImage>

#include <initializer_list>

namespace PixelArt {
struct Ink {
    char key;
    QRgb colour; // with alpha: 0 clears the pixel, 255 sets it
};

// Sets the pixels of `image` from `count` rows, top-left at (x, y); a character without an ink, and a
// null row, leave the pixels as they are.
void paint(QImage &image, int x, int y, const char *const *rows, int count, std::initializer_list<Ink> inks);
inline void paint(QImage &image, int x, int y, std::initializer_list<const char *> rows,
                  std::initializer_list<Ink> inks)
{
    paint(image, x, y, rows.begin(), int(rows.size()), inks);
}

// The size of a drawing: the longest row and the number of rows up to the last non-null one.
QSize size(const char *const *rows, int count);
} // namespace PixelArt
