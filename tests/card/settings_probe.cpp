// settings-probe DIR: runs the real ReadSetting/WriteSetting on DIR/myset.ini, one command per line of
// standard input (UTF-8, LF or CR LF):
//   write<TAB>section<TAB>key<TAB>value   prints 1 or 0
//   read<TAB>section<TAB>key              prints the value
//   limit<TAB>bytes                       lowers the file-size limit (RLIMIT_FSIZE); prints 1 or 0
//   image<TAB>path<TAB>w<TAB>h<TAB>n      writes a w x h BMP of one colour (from n) through SafeFile;
//                                         prints 1, or 0<TAB>the reason
//   save<TAB>value                        the 23 settings of a save, each the value, as one batch; 1 or 0
//   cycle<TAB>dir                         saves without end, as the program does, for kill tests: in
//                                         round n, the 23 settings (each "n", one batch), dir/mycard/card.bmp
//                                         and dir/temp.bmp (colour from n); prints n after each round
// In values, input and output alike, "\\", "\t", "\r" and "\n" stand for a backslash, TAB, CR and LF; any
// other backslash is itself. One line of output per command, flushed at once. Empty lines are skipped;
// a line that is no command prints "?".
#include "card/SafeFile.h"
#include "card/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

QString unescape(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text.at(i + 1);
            if (next == u'\\' || next == u't' || next == u'r' || next == u'n') {
                out += next == u'\\' ? u'\\' : next == u't' ? u'\t' : next == u'r' ? u'\r' : u'\n';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString escape(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

void printLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QImage solid(int width, int height, int n)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(n & 0xFF, (n >> 8) & 0xFF, 0x80));
    return picture;
}

QString writeImage(const QString &path, int width, int height, int n)
{
    return SafeFile::writeImage(path, solid(width, height, n), "bmp");
}

// The settings a save writes, in its order.
const char *const SavedKeys[][2] = {
    {"Text", "Title"},  {"BgColor", "Bg"},  {"FColor", "Name"},  {"FColor", "Job"},  {"FColor", "Office"},
    {"FColor", "Add"},  {"FColor", "Post"}, {"FColor", "Fax"},   {"FColor", "Http"}, {"FColor", "Tel"},
    {"FColor", "Mob"},  {"FColor", "Mail"}, {"FColor", "Hline"}, {"Text", "Name"},   {"Text", "Job"},
    {"Text", "Office"}, {"Text", "Add"},    {"Text", "Post"},    {"Text", "Fax"},    {"Text", "Tel"},
    {"Text", "Mob"},    {"Text", "Mail"},   {"Text", "Http"}};

bool saveAll(const QString &value)
{
    SettingsBatch batch;
    for (const auto &key : SavedKeys)
        if (!WriteSetting(QLatin1String(key[0]), QLatin1String(key[1]), value))
            return false;
    return batch.commit().isEmpty();
}

[[noreturn]] void cycle(const QString &dir)
{
    QDir().mkpath(QDir(dir).filePath(QStringLiteral("mycard")));
    for (int n = 1;; ++n) {
        saveAll(QString::number(n));
        writeImage(QDir(dir).filePath(QStringLiteral("mycard/card.bmp")), 340, 207, n);
        writeImage(QDir(dir).filePath(QStringLiteral("temp.bmp")), 1020, 1380, n);
        printLine(QString::number(n));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: settings-probe DIR < commands\n");
        return 2;
    }
    setSettingsDirectory(QString::fromLocal8Bit(argv[1]));

    std::string raw;
    while (std::getline(std::cin, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (raw.empty())
            continue;
        const QStringList fields = QString::fromUtf8(raw.data(), qsizetype(raw.size())).split(u'\t');
        if (fields.at(0) == u"write" && fields.size() >= 4) {
            // A TAB that was not written as "\t" still belongs to the value.
            const QString value = unescape(fields.mid(3).join(u'\t'));
            printLine(WriteSetting(fields.at(1), fields.at(2), value) ? QStringLiteral("1")
                                                                      : QStringLiteral("0"));
        } else if (fields.at(0) == u"read" && fields.size() == 3) {
            printLine(escape(ReadSetting(fields.at(1), fields.at(2))));
        } else if (fields.at(0) == u"limit" && fields.size() == 2) {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = rlim_t(fields.at(1).toLongLong());
            printLine(::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        } else if (fields.at(0) == u"image" && fields.size() == 5) {
            const QString reason =
                writeImage(fields.at(1), fields.at(2).toInt(), fields.at(3).toInt(), fields.at(4).toInt());
            printLine(reason.isEmpty() ? QStringLiteral("1") : QStringLiteral("0\t") + reason);
        } else if (fields.at(0) == u"save" && fields.size() == 2) {
            printLine(saveAll(fields.at(1)) ? QStringLiteral("1") : QStringLiteral("0"));
        } else if (fields.at(0) == u"cycle" && fields.size() == 2) {
            cycle(fields.at(1));
        } else {
            printLine(QStringLiteral("?"));
        }
    }
    return 0;
}
