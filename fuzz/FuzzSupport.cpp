#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace Fuzz {
void startApplication()
{
    // Made once and never destroyed: libFuzzer ends the process with exit(), and Qt's objects must not
    // be torn down among the other static objects.
    static QGuiApplication *app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velnor-fuzz";
    static char *argv[] = {name, nullptr};
    app = new QGuiApplication(argc, argv);
}

QString scratchFolder()
{
    // In memory where there is a tmpfs: the settings target syncs every file it saves.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/velnor-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/velnor-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    return dir.path();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(bytes) == bytes.size() && file.flush();
    FUZZ_CHECK(ok, path);
}
} // namespace Fuzz
