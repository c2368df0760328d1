// The picture buttons of the menu column and the print window: a small icon and a two-character caption
// on a rounded plate. Normal is a cool silver plate, hover a warm amber one, pressed a deeper amber one
// lit from below with its content one pixel down and right, so the three read apart at a glance.
#include "ImageTools.h"
#include "Pictures.h"
#include "PixelArt.h"

#include <QPainter>

namespace Pictures {
namespace {
constexpr int Width = 54;
constexpr int Height = 21;

constexpr MenuItem Items[] = {
    {"page", "页面"},  {"color", "颜色"}, {"txt", "文字"},   {"pic", "图片"}, {"Recline", "直线"},
    {"hide", "显隐"},  {"save", "保存"},  {"View", "浏览"},  {"set", "设置"}, {"help", "帮助"},
    {"about", "关于"}, {"exit", "退出"},  {"print", "打印"},
};

struct Look {
    QRgb border, top, bottom, rim, text;
    int shift; // pressed content moves one pixel down and right
};
constexpr Look Looks[3] = {
    {qRgb(139, 153, 176), qRgb(255, 255, 255), qRgb(221, 227, 236), qRgb(255, 255, 255), qRgb(28, 36, 52), 0},
    {qRgb(226, 140, 38), qRgb(255, 249, 226), qRgb(255, 212, 128), qRgb(255, 255, 255), qRgb(64, 32, 0), 0},
    {qRgb(184, 98, 22), qRgb(240, 170, 84), qRgb(255, 226, 168), qRgb(205, 128, 48), qRgb(56, 26, 0), 1},
};

// Icon inks, shared by all icons.
const std::initializer_list<PixelArt::Ink> Inks = {
    {'k', qRgb(48, 56, 72)},    {'w', qRgb(255, 255, 255)}, {'g', qRgb(146, 152, 164)},
    {'s', qRgb(204, 209, 217)}, {'b', qRgb(40, 108, 200)},  {'l', qRgb(150, 196, 242)},
    {'d', qRgb(28, 64, 136)},   {'r', qRgb(214, 52, 42)},   {'y', qRgb(246, 196, 36)},
    {'o', qRgb(240, 128, 28)},  {'n', qRgb(52, 150, 70)},   {'m', qRgb(146, 208, 116)},
};

// Icons of at most 12 x 12 pixels, drawn centred in a 12 x 12 box; unused rows are null.
struct IconArt {
    const char *stem;
    const char *rows[12];
};
// clang-format off
constexpr IconArt Icons[] = {
    // a sheet with a turned corner and a tinted page
    {"page",
     {
         "kkkkkkk...",
         "kwwwwwkk..",
         "kwwwwwkwk.",
         "kwwwwwkkkk",
         "kwwwwwwwwk",
         "kwllllllwk",
         "kwllllllwk",
         "kwllllllwk",
         "kwwwwwwwwk",
         "kwggggggwk",
         "kwwwwwwwwk",
         "kkkkkkkkkk",
     }},
    // four swatches
    {"color",
     {
         "kkkkkkkkkkk",
         "krrrrkyyyyk",
         "krrrrkyyyyk",
         "krrrrkyyyyk",
         "krrrrkyyyyk",
         "kkkkkkkkkkk",
         "kbbbbknnnnk",
         "kbbbbknnnnk",
         "kbbbbknnnnk",
         "kbbbbknnnnk",
         "kkkkkkkkkkk",
     }},
    // a letter A over a red rule
    {"txt",
     {
         "....dd....",
         "...dddd...",
         "...dddd...",
         "..dd..dd..",
         "..dd..dd..",
         ".dddddddd.",
         ".dd....dd.",
         "dd......dd",
         "dd......dd",
         "..........",
         "rrrrrrrrrr",
     }},
    // a landscape with a sun
    {"pic",
     {
         "kkkkkkkkkkkk",
         "kllllllllllk",
         "klllllllyylk",
         "klllllllyylk",
         "kllllllllllk",
         "kllllnlllllk",
         "klllnnnllmlk",
         "kllnnnnnmmmk",
         "klnnnnnnnmmk",
         "knnnnnnnnnnk",
         "kkkkkkkkkkkk",
     }},
    // a line between two handles
    {"Recline",
     {
         "kkk........",
         "kwk........",
         "kkkb.......",
         "...bb......",
         "....bb.....",
         ".....bb....",
         "......bb...",
         ".......bkkk",
         "........kwk",
         "........kkk",
     }},
    // an eye
    {"hide",
     {
         "....kkkk....",
         "..kkwwwwkk..",
         ".kwwwbbwwwk.",
         "kwwwbkkbwwwk",
         "kwwwbkkbwwwk",
         ".kwwwbbwwwk.",
         "..kkwwwwkk..",
         "....kkkk....",
     }},
    // a diskette
    {"save",
     {
         "kkkkkkkkkk.",
         "kbssskssbkk",
         "kbssskssbbk",
         "kbssssssbbk",
         "kbbbbbbbbbk",
         "kbwwwwwwwbk",
         "kbwggggwwbk",
         "kbwwwwwwwbk",
         "kbwggggwwbk",
         "kbwwwwwwwbk",
         "kkkkkkkkkkk",
     }},
    // a magnifying glass
    {"View",
     {
         "..kkkk......",
         ".kwlllk.....",
         "kwlllllk....",
         "kllllllk....",
         "kllllllk....",
         "kllllllk....",
         ".kllllkk....",
         "..kkkkkkk...",
         "......kkkk..",
         ".......kkkk.",
         "........kkk.",
     }},
    // a cog
    {"set",
     {
         "....kkkk....",
         "..k.kggk.k..",
         ".kgkkggkkgk.",
         "..kggggggk..",
         ".kkggkkggkk.",
         "kgggk..kgggk",
         "kgggk..kgggk",
         ".kkggkkggkk.",
         "..kggggggk..",
         ".kgkkggkkgk.",
         "..k.kggk.k..",
         "....kkkk....",
     }},
    // a question mark on a blue disc
    {"help",
     {
         "...kkkkk...",
         ".kkbbbbbkk.",
         ".kbbwwwbbk.",
         "kbbwbbbwbbk",
         "kbbbbbbwbbk",
         "kbbbbbwbbbk",
         "kbbbbwbbbbk",
         "kbbbbbbbbbk",
         ".kbbbwbbbk.",
         ".kkbbbbbkk.",
         "...kkkkk...",
     }},
    // an i on a green disc
    {"about",
     {
         "...kkkkk...",
         ".kknnnnnkk.",
         ".knnnwnnnk.",
         "knnnnnnnnnk",
         "knnnwwnnnnk",
         "knnnnwnnnnk",
         "knnnnwnnnnk",
         "knnnnwnnnnk",
         ".knnwwwnnk.",
         ".kknnnnnkk.",
         "...kkkkk...",
     }},
    // a power sign on a red disc
    {"exit",
     {
         "...kkkkk...",
         ".kkrrrrrkk.",
         ".krrrwrrrk.",
         "krrwrwrwrrk",
         "krwrrwrrwrk",
         "krwrrwrrwrk",
         "krwrrrrrwrk",
         "krrwrrrwrrk",
         ".krrwwwrrk.",
         ".kkrrrrrkk.",
         "...kkkkk...",
     }},
    // a printer with a sheet
    {"print",
     {
         "..kkkkkkkk..",
         "..kwwwwwwk..",
         "..kwggggwk..",
         ".kkkkkkkkkk.",
         "ksssssssssk.",
         "ksssssssnsk.",
         "kggggggggggk",
         "kgkkkkkkkkgk",
         "kkkwwwwwwkkk",
         "..kwggggwk..",
         "..kkkkkkkk..",
     }},
};
// clang-format on

const IconArt *iconFor(const char *stem)
{
    for (const IconArt &icon : Icons)
        if (qstrcmp(icon.stem, stem) == 0)
            return &icon;
    return nullptr;
}

bool opaqueAt(int x, int y)
{
    // Rounded corners: the two outermost pixels of each corner stay transparent.
    const int cx = std::min(x, Width - 1 - x);
    const int cy = std::min(y, Height - 1 - y);
    return cx + cy >= 2 || (cx >= 1 && cy >= 1);
}

bool borderAt(int x, int y)
{
    const int cx = std::min(x, Width - 1 - x);
    const int cy = std::min(y, Height - 1 - y);
    return opaqueAt(x, y) && (cx == 0 || cy == 0 || (cx == 1 && cy == 1));
}
} // namespace

const MenuItem *menuItems(int *count)
{
    *count = int(std::size(Items));
    return Items;
}

QImage menuPicture(const MenuItem &item, int state)
{
    const Look &look = Looks[state];
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            if (!opaqueAt(x, y))
                continue;
            if (borderAt(x, y))
                image.setPixel(x, y, look.border);
            else if (y == 1)
                image.setPixel(x, y, look.rim);
            else
                image.setPixel(x, y, ImageTools::mix(look.top, look.bottom, double(y - 2) / (Height - 4)));
        }
    }

    // Icon (12 px box), gap, caption (two 12 px characters): 40 px, centred.
    const int left = (Width - 40) / 2 + look.shift;
    if (const IconArt *icon = iconFor(item.stem)) {
        const QSize iconSize = PixelArt::size(icon->rows, 12);
        PixelArt::paint(image, left + (12 - iconSize.width()) / 2,
                        4 + look.shift + (12 - iconSize.height()) / 2, icon->rows, 12, Inks);
    }

    QPainter p(&image);
    p.setFont(font(Fonts::Song, 12, false, false));
    p.setPen(QColor(look.text));
    p.drawText(QPoint(left + 16, 15 + look.shift), QString::fromUtf8(item.caption));
    p.end();
    return image;
}
} // namespace Pictures
