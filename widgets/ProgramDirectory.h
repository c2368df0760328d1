#pragma once
// The program directory: where myset.ini, the card folder mycard/ and temp.bmp live, and every other
// file the program keeps for its user. Resolved once.
//
// - An installed copy keeps them in the per-user application data directory (…/.local/share/Velnor),
//   made private to its user, so two users of one machine never share a card or a setting. A copy is
//   installed when the default settings file lies beside it as the install puts it
//   (<exe dir>/../share/velnor/myset.ini), or when it runs from the folder the build installs programs
//   into. Being able to write there does not matter: root can write /usr/bin.
// - Any other copy (a build tree, a portable copy) keeps them beside the executable when that folder is
//   writable or holds its own myset.ini, as before; otherwise in the per-user directory.
#include <QString>

namespace ProgramDirectory {
QString path();
// For tests and tools that run the program's code against a directory of their own.
void setPath(const QString &dir);
// True when the program directory is the per-user application data directory.
bool isPerUser();

// The decision itself, for an executable in exeDir and the folder installBinDir that the build installs
// programs into (empty when unknown).
bool isInstalledCopy(const QString &exeDir, const QString &installBinDir);
// Where a copy in exeDir keeps its files; perUser tells whether that is the per-user directory.
QString resolveFor(const QString &exeDir, const QString &installBinDir, bool *perUser);
// The per-user application data directory; made, readable by its owner only, when missing. The path is
// returned even when it cannot be made: writing there then fails with a message.
QString perUserDirectory();
} // namespace ProgramDirectory
