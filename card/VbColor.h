#pragma once
// A colour as the card stores it: 0x00BBGGRR, or 0x800000NN for the system colour with index NN.
// System colours stay symbolic in the model and are resolved through the palette only when drawn,
// so the settings file gets back exactly the number it gave.
#include <QColor>
#include <QString>
#include <optional>

using VbColor = quint32;

namespace VbColors {
inline constexpr VbColor rgb(int r, int g, int b)
{
    return VbColor(r & 0xFF) | (VbColor(g & 0xFF) << 8) | (VbColor(b & 0xFF) << 16);
}
inline constexpr VbColor System(int index)
{
    return 0x80000000u | VbColor(index);
}
inline constexpr VbColor ActiveCaption = System(2);
inline constexpr VbColor WindowBackground = System(5);
inline constexpr VbColor WindowText = System(8);
inline constexpr VbColor GrayText = System(17);

inline constexpr bool isSystem(VbColor c)
{
    return (c & 0xFF000000u) == 0x80000000u;
}

QColor toQColor(VbColor c);
VbColor fromQColor(const QColor &c);

// The settings file keeps a colour as the signed decimal text of the 32-bit value.
QString toSettingText(VbColor c);
// A trimmed decimal integer in the signed 32-bit range that names a colour or a system colour;
// anything else gives nothing.
std::optional<VbColor> fromSettingText(const QString &text);
} // namespace VbColors
