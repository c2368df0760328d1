#include "card/SettingsStore.h"

#include "card/IniFile.h"
#include "card/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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
// Safety. A changed file is written through SafeFile: a temporary file beside it, every write checked,
// renamed over it only when complete, so a failed write (a full disk, a file-size limit) leaves the old
// file exactly as it was and reports false. A file that cannot be read (a directory, a device, no read
// permission, over 64 MiB) reads as missing and is never replaced, and a read-only myset.ini is not written
// even where the directory would allow replacing it. A link named myset.ini is never followed, neither
// read nor written through: it reads as a missing file (the defaults), and a changed setting replaces it
// by a regular file holding only what was written, so a link cannot carry another file's content into
// the settings or the settings into another file.
//
// Cost. The parsed file is kept with the file's identity (device, inode, size, modification and change
// times) and used again while those stay the same; an edit parses again only the lines it touches. So
// the start's 23 reads cost one read and parse of the file and a save of the 23 settings (one batch) one
// parse and one write, whatever the file's size.

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

// What identifies one version of the file on disk.
struct FileKey {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FileKey of(const struct stat &st)
    {
        return {true, st.st_dev, st.st_ino, st.st_mode, st.st_size, st.st_mtim, st.st_ctim};
    }
    bool operator==(const FileKey &o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && mode == o.mode &&
               size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

// The link itself, not what it points at.
FileKey currentKey(const QByteArray &path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 ? FileKey::of(st) : FileKey();
}

struct ParsedFile {
    bool valid = false;
    QString path;
    FileKey key;
    FileState state = FileState::Missing;
    IniFile ini;
};

ParsedFile &parsedCache()
{
    static ParsedFile cache;
    return cache;
}

// Reads a regular file without following a link or blocking on a device or pipe.
FileState readRegularFile(const QByteArray &path, const FileKey &seen, FileKey *key, QByteArray *bytes)
{
    if (!seen.exists)
        return FileState::Missing;
    if (S_ISLNK(seen.mode))
        return FileState::Missing;
    if (!S_ISREG(seen.mode) || seen.size > kLargestFile)
        return FileState::Unusable;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ELOOP ? FileState::Missing : FileState::Unusable;
    struct stat st {};
    FileState state = FileState::Unusable;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kLargestFile) {
        *key = FileKey::of(st);
        bytes->resize(qsizetype(st.st_size));
        qsizetype got = 0;
        state = FileState::Read;
        for (;;) {
            if (got == bytes->size()) {
                if (got >= kLargestFile) {
                    state = FileState::Unusable;
                    break;
                }
                bytes->resize(got + 4096); // the file grew while being read
            }
            const ssize_t n = ::read(fd, bytes->data() + got, size_t(bytes->size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                state = FileState::Unusable;
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        bytes->resize(got);
    }
    ::close(fd);
    return state;
}

// The settings file as it is on disk now, parsed once per version of it.
const ParsedFile &currentFile()
{
    ParsedFile &cache = parsedCache();
    const QString path = settingsFilePath();
    const QByteArray name = QFile::encodeName(path);
    const FileKey key = currentKey(name);
    if (cache.valid && cache.path == path && cache.key == key)
        return cache;
    FileKey readKey = key;
    QByteArray bytes;
    const FileState state = readRegularFile(name, key, &readKey, &bytes);
    cache.valid = true;
    cache.path = path;
    // Kept under the identity the file had when it was opened: a change made while it was read shows
    // as a different identity next time, and the file is read again.
    cache.key = state == FileState::Read && S_ISREG(key.mode) ? readKey : key;
    cache.state = state;
    cache.ini = state == FileState::Read ? IniFile(bytes) : IniFile();
    return cache;
}

// The open batch: the parsed file with the writes taken so far.
struct Batch {
    bool open = false;
    bool started = false; // the file has been looked at (by the first write)
    bool changed = false;
    QString path;
    IniFile ini;
};

Batch &batch()
{
    static Batch b;
    return b;
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
    return QDir(settingsDirectory()).filePath(SettingsFileName);
}

QString ReadSetting(const QString &section, const QString &key)
{
    if (!IniFile::ansiAvailable())
        return QString();
    const QString sectionName = IniFile::trimmed(asAnsi(section));
    const QString keyName = IniFile::trimmed(asAnsi(key));
    if (sectionName.isEmpty() || keyName.isEmpty())
        return QString();
    const Batch &open = batch();
    const IniFile *ini = nullptr;
    if (open.open && open.started) {
        ini = &open.ini;
    } else {
        const ParsedFile &file = currentFile();
        if (file.state != FileState::Read)
            return QString();
        ini = &file.ini;
    }
    const std::optional<QString> stored = ini->rawValue(sectionName, keyName);
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

    Batch &open = batch();
    if (!open.open) {
        // A single write is a batch of one.
        SettingsBatch single;
        return WriteSetting(section, key, value) && single.commit().isEmpty();
    }
    if (!open.started) {
        const ParsedFile &file = currentFile();
        if (file.state == FileState::Unusable ||
            (file.state == FileState::Read && SafeFile::isReadOnlyFile(file.path)))
            return false;
        open.started = true;
        open.path = file.path;
        open.ini = file.ini;
    }
    if (open.ini.setValue(sectionName, keyName, text))
        open.changed = true;
    return true;
}

SettingsBatch::SettingsBatch()
{
    Q_ASSERT(!batch().open);
    batch() = Batch();
    batch().open = true;
}

SettingsBatch::~SettingsBatch()
{
    batch() = Batch();
}

QString SettingsBatch::commit()
{
    Batch &open = batch();
    QString reason;
    if (open.changed) {
        reason = SafeFile::write(open.path, open.ini.bytes());
        if (reason.isEmpty()) {
            // What was written is what the file now holds: the next reads need no parse.
            ParsedFile &cache = parsedCache();
            cache.valid = true;
            cache.path = open.path;
            cache.key = currentKey(QFile::encodeName(open.path));
            cache.state = FileState::Read;
            cache.ini = std::move(open.ini);
        }
    }
    open = Batch();
    open.open = true;
    return reason;
}
