#include "BenchSupport.h"

#include "PaintCounter.h"
#include "assets/Assets.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/SettingsStore.h"
#include "output/CardFile.h"
#include "widgets/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace BenchSupport {
namespace {
// A file system allows some tens of thousands of links to one file; every source card takes this many.
constexpr int LinksPerSource = 20000;
} // namespace

void texturedCard(CardModel &card)
{
    const QImage texture(Assets::texture(4));
    card.setBackgroundShown(true);
    card.setPictureStore(texture);
    card.setPagePicture(card.pictureStore());
    card.tilePage(card.pictureStore());
}

QString addressOf(int characters)
{
    if (characters <= 0)
        return CardModel().textElement(ElementId::LabAdd).text;
    const QString pattern = QStringLiteral("杭州市西湖区青芝坞路88号3幢201室，");
    QString text;
    text.reserve(characters);
    while (text.size() < characters)
        text += pattern;
    text.truncate(characters);
    return text;
}

QString dataDirectory()
{
    const QString env = qEnvironmentVariable("VELNOR_BENCH_DATA");
    const QString dir =
        env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data") : env;
    QDir().mkpath(dir);
    return dir;
}

QString useProgramDirectory(int files)
{
    const QString program = dataDirectory() + QStringLiteral("/program-%1").arg(files);
    const QString folder = program + QStringLiteral("/mycard");
    QDir().mkpath(folder);
    const QString settings = program + QStringLiteral("/myset.ini");
    const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/myset.ini");
    if (!QFile::exists(settings) && QFile::exists(shipped))
        QFile::copy(shipped, settings);
    ProgramDirectory::setPath(program);
    setSettingsDirectory(program);

    // Made once: a folder that already holds the right number of cards is used as it is.
    const QString done = program + QStringLiteral("/.cards-ready");
    if (QFile::exists(done))
        return program;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString sources = program + QStringLiteral("/sources");
    QDir().mkpath(sources);
    CardModel card;
    texturedCard(card);
    QString source;
    for (int i = 0; i < files; ++i) {
        if (i % LinksPerSource == 0) {
            card.setText(ElementId::LabName, QStringLiteral("张%1").arg(i / LinksPerSource));
            source = sources + QStringLiteral("/card%1.bmp").arg(i / LinksPerSource);
            if (!CardFile::writeBmp(renderCard(card), source).isEmpty())
                return QString();
        }
        const QString name = folder + QStringLiteral("/名片%1.bmp").arg(i, 6, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(name).constData()) != 0) {
            std::perror("link");
            return QString();
        }
    }
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return program;
}

double residentMiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

bool waitForPaints(QWidget *widget, int count)
{
    PaintCounter counter(widget);
    QElapsedTimer timer;
    timer.start();
    while (counter.count() < count && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return counter.count() >= count;
}
} // namespace BenchSupport
