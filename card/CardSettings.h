#pragma once
// What of the card the settings file keeps, and the two ways it travels: saved from the card (the settings
// dialog, and the build's default file) and applied to the card at start. Only texts, colours and the motto;
// places, fonts, visibility, orientation and pictures are never stored. The elements' own keys are in the
// element identity table (card/CardElement.h).
#include "card/CardElement.h"

#include <QString>

class CardModel;

namespace SettingKeys {
inline const QString Texts = QStringLiteral("Text");         // the ten texts by their keys, and the motto
inline const QString Motto = QStringLiteral("Title");        // in [Text]
inline const QString PageColors = QStringLiteral("BgColor"); // the page colour
inline const QString PageColor = QStringLiteral("Bg");       // in [BgColor]
inline const QString ForeColors = QStringLiteral("FColor");  // the ten text colours and the line's
} // namespace SettingKeys

// The 23 writes, in the order that gives a new file [Text] (Title and the ten texts), [BgColor], [FColor],
// made as one batch: the file is written once, with all of them, or not at all. On failure the reason
// (in Chinese) is set when asked for, and the file is as it was.
bool saveCardSettings(const CardModel &card, QString *reason = nullptr);

// In this order: the motto, the ten texts, the page colour, the ten text colours, the line colour. A text is
// applied as read, also when empty; a colour that is absent, empty, not a whole number or outside the
// 32-bit range keeps the colour the card has.
void applyCardSettings(CardModel &card);

// The user's default text for a text element, as the settings file holds it (empty when none).
QString defaultText(ElementId id);
