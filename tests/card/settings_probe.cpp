// settings-probe DIR: runs the real ReadSetting/WriteSetting on DIR/myset.ini, one command per line of
// standard input (UTF-8, LF or CR LF):
//   write<TAB>section<TAB>key<TAB>value   prints 1 or 0
//   read<TAB>section<TAB>key              prints the value
// In values, input and output alike, "\\", "\t", "\r" and "\n" stand for a backslash, TAB, CR and LF; any
// other backslash is itself. One line of output per command, flushed at once. Empty lines are skipped;
// a line that is no command prints "?".
#include "card/SettingsStore.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>

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
        } else {
            printLine(QStringLiteral("?"));
        }
    }
    return 0;
}
