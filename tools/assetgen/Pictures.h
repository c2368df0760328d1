#pragma once
// Every picture of the program, each drawn by one function from fixed numbers only: no clock, no
// unseeded randomness, and fonts named exactly, so a run reproduces the committed files byte for byte.
#include <QFont>
#include <QImage>
#include <QString>

namespace Pictures {
// Window chrome and start-up (RGB32, stored as 24-bit bitmaps).
QImage splash();     // 425 x 213
QImage titleBar();   // 800 x 20, shared by every window's own title bar
QImage workTile();   // 60 x 60, light grey, embossed, seamless
QImage helpBanner(); // 226 x 48

// The colour strip: hue band in columns 0..189, grey ramp in 190..197. 198 x 15.
QImage paletteStrip();

// Paper texture 0..11, 32 x 32, seamless.
QImage texture(int index);

// A menu button picture, 54 x 21 with transparent corners: state 0 normal, 1 hover, 2 pressed.
struct MenuItem {
    const char *stem;
    const char *caption; // UTF-8
};
QImage menuPicture(const MenuItem &item, int state);
// The buttons of the menu column and the print window, in column order.
const MenuItem *menuItems(int *count);

// The card's default logo, 80 x 65, one fully transparent colour.
QImage logo();
// The browser's built-in sample card, 340 x 207.
QImage sampleCard();

// Pointers, 32 x 32 ARGB; hot spots are in assets/Assets.h.
QImage menuCursor(); // pointing hand over the menu buttons
QImage grabCursor(); // closed hand, dragging the logo preview
QImage handCursor(); // open hand over the print preview

// The program's icon, size x size ARGB, and the same drawing as SVG text (UTF-8).
QImage appIcon(int size);
QByteArray appIconSvg();

// Fonts by exact family name; the generator checks at start that each resolves to itself.
namespace Fonts {
inline const QString Song = QStringLiteral("宋体"); // substituted to AR PL UMing CN
inline const QString SongFace = QStringLiteral("AR PL UMing CN");
inline const QString Sans = QStringLiteral("Noto Sans CJK SC");
inline const QString Serif = QStringLiteral("Noto Serif CJK SC");
inline const QString Latin = QStringLiteral("DejaVu Sans");
} // namespace Fonts
// A font of exactly this family and pixel size; without antialiasing for crisp small lettering.
QFont font(const QString &family, int pixelSize, bool bold = false, bool antialias = true);
} // namespace Pictures
