#pragma once
// Resource paths of the pictures made by tools/assetgen. The one place that spells ":/…".
#include <QString>

namespace Assets {
// The pictures are registered when the program starts; a program may call this to be explicit.
void init();

// clang-format off
inline const QString Splash = QStringLiteral(":/assets/splash.bmp");          // 425 x 213, 24-bit
inline const QString TitleBar = QStringLiteral(":/assets/titlebar.bmp");      // 800 x 20
inline const QString WorkTile = QStringLiteral(":/assets/worktile.bmp");      // 60 x 60
inline const QString Palette = QStringLiteral(":/assets/palette.bmp");        // 198 x 15, PaletteStrip
inline const QString Logo = QStringLiteral(":/assets/logo.png");              // 80 x 65, one transparent colour
inline const QString SampleCard = QStringLiteral(":/assets/samplecard.bmp");  // 340 x 207
inline const QString HelpBanner = QStringLiteral(":/assets/helpbanner.bmp");  // 226 x 48
inline const QString MenuCursor = QStringLiteral(":/assets/cursor-menu.png"); // 32 x 32
inline const QString GrabCursor = QStringLiteral(":/assets/cursor-grab.png"); // closed hand
inline const QString HandCursor = QStringLiteral(":/assets/cursor-hand.png"); // open hand
// clang-format on

// Hot spots of the 32 x 32 pointers, in pixels from their top-left corner.
inline constexpr int MenuCursorHotX = 6; // the tip of the pointing finger
inline constexpr int MenuCursorHotY = 1;
inline constexpr int GrabCursorHotX = 11; // the middle of the closed hand
inline constexpr int GrabCursorHotY = 10;
inline constexpr int HandCursorHotX = 12; // the middle of the open palm
inline constexpr int HandCursorHotY = 12;

// Menu button picture: stem ("page", "color", …, "print") and state 0 normal, 1 hover, 2 pressed. 54 x 21.
inline QString menuPicture(const char *stem, int state)
{
    return QStringLiteral(":/assets/menu/%1%2.png").arg(QLatin1String(stem)).arg(state);
}
// Texture 0..11, 32 x 32.
inline QString texture(int index)
{
    return QStringLiteral(":/assets/textures/texture%1.bmp").arg(index, 2, 10, QLatin1Char('0'));
}
} // namespace Assets
