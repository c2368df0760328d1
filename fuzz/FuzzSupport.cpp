#include "FuzzSupport.h"

#include <QFile>
#include <QGuiApplication>

#include <memory>

namespace Fuzz {
void startApplication()
{
    static std::unique_ptr<QGuiApplication> app;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velnor-fuzz";
    static char *argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

QString scratchFolder()
{
    static QTemporaryDir dir;
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
