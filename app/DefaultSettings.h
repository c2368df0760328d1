#pragma once
// The settings file the program ships with: the default card's ten texts and colours, its page colour and
// the motto, so that a first start shows the default card rather than an empty one. The build writes it
// beside the program (never over an existing file); an installed copy whose program directory is per-user
// copies the installed default there the first time it starts.
#include "card/SettingsStore.h"

#include <QString>

class CardModel;

namespace DefaultSettings {
inline const QString &FileName = SettingsFileName;

// Copies shippedFile into dir as myset.ini when dir has none. False only when a copy was needed and failed.
bool copyIfMissing(const QString &shippedFile, const QString &dir);
// The installed default beside an installed program (…/share/velnor/myset.ini), or an empty text.
QString shippedFile();
// At start: a per-user program directory without a settings file gets the installed default.
void installForUser();
} // namespace DefaultSettings
