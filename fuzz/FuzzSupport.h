#pragma once
// What every fuzz target shares: a Qt application object for the readers and the converters, a private
// folder for the files a target writes, and a check that stops the run with a message.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {
// Makes the application object once (offscreen, so no display is needed).
void startApplication();
// A folder of the run's own, removed at exit.
QString scratchFolder();
// Writes the bytes to the file, replacing it; aborts when that fails (the run's own folder is writable).
void putFile(const QString &path, const QByteArray &bytes);
} // namespace Fuzz

#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d): %s\n", #condition, __FILE__, __LINE__,      \
                         qPrintable(QString(what)));                                                         \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)
