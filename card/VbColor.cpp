#include "card/VbColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace VbColors {
namespace {
// The classic Windows system colours, used for indices the palette has no role for.
constexpr quint32 ClassicRgb[] = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
    0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0,
    0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xFFFFE1, 0xB5B5B5, 0x0000FF, 0x1084D0, 0xB5B5B5};

QColor systemColor(int index)
{
    const QPalette pal = qGuiApp ? QGuiApplication::palette() : QPalette();
    switch (index) {
    // clang-format off
    case 2: return pal.color(QPalette::Active, QPalette::Highlight);        // active caption
    case 5: return pal.color(QPalette::Active, QPalette::Base);             // window background
    case 8: return pal.color(QPalette::Active, QPalette::Text);             // window text
    case 12: return pal.color(QPalette::Active, QPalette::Dark);            // application workspace
    case 13: return pal.color(QPalette::Active, QPalette::Highlight);       // highlight
    case 15: return pal.color(QPalette::Active, QPalette::Button);           // button face
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);          // grey text
    default: break;
        // clang-format on
    }
    if (index >= 0 && index < int(std::size(ClassicRgb)))
        return QColor::fromRgb(ClassicRgb[index] | 0xFF000000u);
    return Qt::black;
}
} // namespace

QColor toQColor(VbColor c)
{
    if (isSystem(c))
        return systemColor(int(c & 0xFF));
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

VbColor fromQColor(const QColor &c)
{
    return rgb(c.red(), c.green(), c.blue());
}

QString toSettingText(VbColor c)
{
    return QString::number(qint32(c));
}

std::optional<VbColor> fromSettingText(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < qlonglong(INT32_MIN) || v > qlonglong(INT32_MAX))
        return std::nullopt;
    // Only a colour (0x00BBGGRR) or a system colour (0x800000NN) names a colour; -1 and the like do not.
    const VbColor c = VbColor(qint32(v));
    if ((c & 0xFF000000u) != 0 && (c & 0xFFFFFF00u) != 0x80000000u)
        return std::nullopt;
    return c;
}
} // namespace VbColors
