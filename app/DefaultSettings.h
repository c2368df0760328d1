#pragma once
// The settings file the program ships with: the default card's ten texts and colours, its page colour and
// the motto, so that a first start shows the default card rather than an empty one. The build writes it
// beside the program (never over an existing file); an installed copy, whose program directory is the
// user's own, copies the installed default there the first time each user starts it.
#include "card/SettingsStore.h"

#include <QString>

class CardModel;
class QWidget;

namespace DefaultSettings {
inline const QString &FileName = SettingsFileName;

// Copies shippedFile into dir as myset.ini when dir has none, through a safe write. False only when a
// copy was needed and failed; then *reason (if given) says why, in Chinese.
bool copyIfMissing(const QString &shippedFile, const QString &dir, QString *reason = nullptr);
// The installed default beside an installed program (…/share/velnor/myset.ini), or an empty text.
QString shippedFile();
// At start: a per-user program directory without a settings file gets the installed default. A copy
// that fails is reported (title "Velnor设置提示："); the program goes on with its default card.
void installForUser(QWidget *parent = nullptr);
} // namespace DefaultSettings
