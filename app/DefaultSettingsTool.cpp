// velnor-default-settings DIR…: writes the shipped settings file myset.ini into each DIR that has none.
// Run by the build, so a build directory (a runnable copy of the program) starts with the default card.
#include "app/DefaultSettings.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "card/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// The file is written whole in a scratch folder and then renamed into place, so an interrupted build
// never leaves a half-written file that later builds would keep.
bool writeInto(const QDir &dir, const CardModel &card)
{
    const QString target = dir.filePath(DefaultSettings::FileName);
    if (QFileInfo::exists(target))
        return true; // never over a file the user may have changed
    QTemporaryDir scratch(dir.filePath(QStringLiteral(".velnor-default-XXXXXX")));
    if (!scratch.isValid())
        return false;
    setSettingsDirectory(scratch.path());
    if (!saveCardSettings(card))
        return false;
    return QFile::rename(scratch.filePath(DefaultSettings::FileName), target) || QFileInfo::exists(target);
}
} // namespace

int main(int argc, char *argv[])
{
    // The card measures its texts, which needs a GUI application but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CardFonts::install();
    if (argc < 2) {
        std::fprintf(stderr, "usage: velnor-default-settings DIR...\n");
        return 2;
    }
    const CardModel card;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const QString dir = QString::fromLocal8Bit(argv[i]);
        QDir().mkpath(dir);
        if (!writeInto(QDir(dir), card)) {
            std::fprintf(stderr, "velnor-default-settings: cannot write %s\n",
                         qPrintable(QDir(dir).filePath(DefaultSettings::FileName)));
            status = 1;
        }
    }
    return status;
}
