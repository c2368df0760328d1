#include "card/SettingsStore.h"

#include "card/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// Both operations behave as the ANSI profile functions called with the program's fixed-length texts do,
// byte for byte, with these deliberate differences:
//
// Line breaks in a value. The Windows functions write them as they are, so the rest of a several-line
// element text would stand as lines of its own and could create keys or sections ("\r\nTel=5",
// "\r\n[FColor]"). Here such a text is stored on its one line as ESC (U+001B) followed by the text with
// '\' written "\\", CR written "\r" and LF written "\n", and reads back as the same text. Only texts that
// hold a line break are stored this way: every other value keeps exactly the bytes Windows writes, so a
// backslash in a plain value (a path, "C:\new") stays a backslash. A read decodes a value only when it
// starts with ESC, all its backslashes form those three escapes and at least one escape is a line break;
// no text a user can type starts with ESC, so no value written by Windows is mistaken for one. The
// 127-byte read limit applies to the decoded text.
//
// Names. The Windows write function crashes on an empty section or key name (the read function gives
// its default); here reads give an empty text and writes fail. A write also fails for a name holding a line
// break, and for a key holding '=' or starting with '[', which would be read back as another key or as a
// section header.
//
// Safety. A changed file is written to a temporary file beside it and renamed over it (QSaveFile), so a
// failed write leaves the old file exactly as it was. A file that cannot be read (a directory, a device,
// no read permission, over 64 MiB) reads as missing and is never replaced, and a read-only myset.ini is
// not written even where the directory would allow replacing it.

namespace {

constexpr qsizetype kFixedLength = 128; // the caller's fixed-length text: the value, a NUL, padding
constexpr int kReadBytes = 127;         // the 128-byte read buffer less its NUL
constexpr QChar kEscapedMarker(0x1B);
// No settings file comes near this; a larger one is left alone rather than held in memory several times.
constexpr qint64 kLargestFile = 64 << 20;

QString &directory()
{
    static QString dir;
    return dir;
}

// A text as the ANSI functions receive it: a C string, so cut at its first NUL, in the code page.
QString asAnsi(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return IniFile::fromAnsi(IniFile::toAnsi(nul < 0 ? text : text.left(nul)));
}

// At most limit bytes of the text in the code page, whole characters only.
QString cutToAnsiBytes(const QString &text, int limit)
{
    QByteArray kept;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len =
            (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QByteArray bytes = IniFile::toAnsi(text.mid(i, len));
        if (kept.size() + bytes.size() > limit)
            break;
        kept += bytes;
        i += len;
    }
    return IniFile::fromAnsi(kept);
}

// The profile function drops a pair of quotation marks around a value.
QString withoutQuotes(const QString &value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// The caller trims spaces only (not tabs).
QString trimSpaces(const QString &text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.mid(from, to - from);
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString escapeLineBreaks(const QString &text)
{
    QString stored(kEscapedMarker);
    for (const QChar c : text) {
        if (c == u'\\')
            stored += QStringLiteral("\\\\");
        else if (c == u'\r')
            stored += QStringLiteral("\\r");
        else if (c == u'\n')
            stored += QStringLiteral("\\n");
        else
            stored += c;
    }
    return stored;
}

std::optional<QString> unescapeLineBreaks(const QString &stored)
{
    if (!stored.startsWith(kEscapedMarker))
        return std::nullopt;
    QString text;
    bool lineBreak = false;
    for (qsizetype i = 1; i < stored.size(); ++i) {
        if (stored.at(i) != u'\\') {
            text += stored.at(i);
            continue;
        }
        if (++i == stored.size())
            return std::nullopt;
        const QChar c = stored.at(i);
        if (c == u'\\') {
            text += c;
        } else if (c == u'r' || c == u'n') {
            text += c == u'r' ? u'\r' : u'\n';
            lineBreak = true;
        } else {
            return std::nullopt;
        }
    }
    if (!lineBreak)
        return std::nullopt;
    return text;
}

bool isWritableName(const QString &name, bool isKey)
{
    if (IniFile::trimmed(name).isEmpty() || hasLineBreak(name))
        return false;
    return !isKey || (!name.contains(u'=') && !name.startsWith(u'['));
}

enum class FileState { Missing, Read, Unusable };

FileState readFile(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? FileState::Unusable : FileState::Missing;
    if (!info.isFile() || info.size() > kLargestFile)
        return FileState::Unusable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileState::Unusable;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? FileState::Read : FileState::Unusable;
}

// A file its owner may not write counts as read-only even for a user who could replace it.
bool isReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

// The file is rewritten through a new file in its folder, so a folder made read-only refuses every write,
// also for a user (like root) whom the system would let write there anyway.
bool isReadOnlyFolder(const QString &dir)
{
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const QFileInfo info(dir);
    return info.isDir() && (!info.isWritable() || !(info.permissions() & anyWrite));
}

} // namespace

void setSettingsDirectory(const QString &dir)
{
    directory() = dir;
}

QString settingsDirectory()
{
    if (!directory().isEmpty())
        return directory();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString settingsFilePath()
{
    return QDir(settingsDirectory()).filePath(QStringLiteral("myset.ini"));
}

QString ReadSetting(const QString &section, const QString &key)
{
    if (!IniFile::ansiAvailable())
        return QString();
    const QString sectionName = IniFile::trimmed(asAnsi(section));
    const QString keyName = IniFile::trimmed(asAnsi(key));
    QByteArray bytes;
    if (sectionName.isEmpty() || keyName.isEmpty() || readFile(settingsFilePath(), &bytes) != FileState::Read)
        return QString();
    const std::optional<QString> stored = IniFile(bytes).rawValue(sectionName, keyName);
    if (!stored)
        return QString();
    const std::optional<QString> unescaped = unescapeLineBreaks(*stored);
    const QString text = unescaped ? *unescaped : withoutQuotes(*stored);
    return trimSpaces(cutToAnsiBytes(text, kReadBytes));
}

bool WriteSetting(const QString &section, const QString &key, const QString &value)
{
    if (!IniFile::ansiAvailable())
        return false;
    // Names are written as passed, less white space at the start; so is the value, which is first cut to
    // the caller's 128 characters.
    const QString sectionName = IniFile::trimmedStart(asAnsi(section));
    const QString keyName = IniFile::trimmedStart(asAnsi(key));
    if (!isWritableName(sectionName, false) || !isWritableName(keyName, true))
        return false;
    QString text = IniFile::trimmedStart(asAnsi(value.left(kFixedLength)));
    if (hasLineBreak(text))
        text = escapeLineBreaks(text);

    const QString path = settingsFilePath();
    QByteArray bytes;
    const FileState state = readFile(path, &bytes);
    if (state == FileState::Unusable || (state == FileState::Read && isReadOnly(path)))
        return false;
    IniFile ini(bytes);
    if (!ini.setValue(sectionName, keyName, text))
        return true; // already holds this value: the file is not touched
    if (isReadOnlyFolder(settingsDirectory()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(ini.bytes()) != ini.bytes().size())
        return false;
    return out.commit();
}
