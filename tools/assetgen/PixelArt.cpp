#include "PixelArt.h"

#include <cstring>

namespace PixelArt {
void paint(QImage &image, int x, int y, const char *const *rows, int count, std::initializer_list<Ink> inks)
{
    for (int row = 0; row < count; ++row) {
        const char *line = rows[row];
        for (int col = 0; line && line[col] != '\0'; ++col) {
            for (const Ink &ink : inks) {
                if (ink.key != line[col])
                    continue;
                if (image.rect().contains(x + col, y + row))
                    image.setPixel(x + col, y + row, ink.colour);
                break;
            }
        }
    }
}

QSize size(const char *const *rows, int count)
{
    int width = 0, height = 0;
    for (int row = 0; row < count; ++row) {
        if (!rows[row])
            continue;
        width = std::max(width, int(std::strlen(rows[row])));
        height = row + 1;
    }
    return QSize(width, height);
}
} // namespace PixelArt
