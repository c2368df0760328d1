#pragma once
// Fonts of the card's texts and the measuring of text boxes. "宋体" and its siblings resolve to the
// Song/Ming face AR PL UMing CN, sized in pixels from points at 96 per inch, with its crisp embedded
// bitmaps at small sizes (as SimSun draws on Windows).
#include "card/CardElement.h"

#include <QFont>

namespace CardFonts {
// The largest pixel size at which the Song face draws its embedded bitmaps, unsmoothed.
inline constexpr int BitmapStrikeMaxPx = 16;

// Registers the substitutions (and lets synthetic bold work at every size); call once after the
// application object exists, before any text is drawn.
void install();
// The font a text element draws with.
QFont fontFor(const QString &face, double sizePt, bool bold, bool italic);
QFont fontFor(const TextElement &e);
// Lays out the text again (lines, widths, heights) and, with auto-size, resizes the box: it grows to
// the right and down from a fixed Left/Top; a wrapping box keeps its width and grows in height.
void layout(TextElement &e);
} // namespace CardFonts
