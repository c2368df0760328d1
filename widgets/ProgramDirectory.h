#pragma once
// The program directory: where myset.ini, the card folder mycard/ and temp.bmp live. It is the directory
// of the executable when that is writable (a build tree or a portable copy) or holds its own myset.ini,
// otherwise (an installed program) the per-user application data directory. Resolved once.
#include <QString>

namespace ProgramDirectory {
QString path();
// For tests and tools that run the program's code against a directory of their own.
void setPath(const QString &dir);
// True when the executable's directory was not writable and the per-user directory is used instead.
bool isPerUser();
} // namespace ProgramDirectory
