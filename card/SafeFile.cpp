#include "card/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {
namespace {
constexpr QFile::Permissions AnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

QString systemReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足");
    case EFBIG:
        return QStringLiteral("文件太大，超出了允许的文件大小");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case EISDIR:
        return QStringLiteral("同名的不是普通文件");
    default:
        return QStringLiteral("系统错误：") + QString::fromLocal8Bit(std::strerror(error));
    }
}

// A file-size limit (ulimit -f) would otherwise end the program on the write that crosses it; ignored,
// the write fails with EFBIG and is reported like a full disk.
void ignoreFileSizeSignal()
{
    static const bool once = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    Q_UNUSED(once);
}

bool writeAll(int fd, const char *data, qint64 size, int *error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (n == 0) { // nothing written and no error: treat as a full disk rather than loop
            *error = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}
} // namespace

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo target(path);
    return !target.isSymLink() && target.isFile() &&
           (!target.isWritable() || !(target.permissions() & AnyWrite));
}

bool isReadOnlyFolder(const QString &folder)
{
    // A new file is made in the folder and renamed there, so the folder's protection decides, also for
    // a user (like root) whom the system would let write there anyway.
    const QFileInfo info(folder);
    return info.isDir() && (!info.isWritable() || !(info.permissions() & AnyWrite));
}

QString whyNotWritable(const QString &path)
{
    const QFileInfo target(path);
    // A link is replaced, not followed, so only a regular file's own protection counts.
    if (isReadOnlyFile(path))
        return QStringLiteral("同名的文件是只读的");
    if (!target.isSymLink() && target.exists() && !target.isFile())
        return QStringLiteral("同名的不是普通文件");
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("文件夹“%1”不存在").arg(QDir::toNativeSeparators(folder.filePath()));
    if (isReadOnlyFolder(folder.filePath()))
        return QStringLiteral("文件夹“%1”是只读的").arg(QDir::toNativeSeparators(folder.filePath()));
    return QString();
}

namespace {
struct Temporary {
    QByteArray name;
    int fd = -1;
};

// The bytes in a new temporary file beside the target, still open; empty and the reason on failure.
Temporary writeTemporary(const QString &path, const QByteArray &bytes, QString *reason)
{
    const QFileInfo target(path);
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    QByteArray temporary = folder + "/.velnor-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *reason = systemReason(errno);
        return {};
    }

    // mkstemp makes the file for its owner alone. A file that is replaced keeps its permissions (and,
    // written by root, its owner); a new one is as readable as any other file the user makes.
    struct stat old {};
    if (::lstat(targetName.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
        if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) == 0)
            ::fchmod(fd, old.st_mode & 07777); // chown clears set-id bits; put them back
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    int error = 0;
    if (!writeAll(fd, bytes.constData(), bytes.size(), &error)) {
        ::close(fd);
        ::unlink(temporary.constData());
        *reason = systemReason(error);
        return {};
    }
    return {temporary, fd};
}

// On disk and closed; false and the reason when either fails.
bool finish(Temporary &t, QString *reason)
{
    int error = 0;
    bool ok = true;
    if (::fsync(t.fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(t.fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    t.fd = -1;
    if (!ok)
        *reason = systemReason(error);
    return ok;
}

void syncFolder(const QString &folder)
{
    // A rename is kept only once the folder is on disk.
    const int dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}
} // namespace

QString write(const QString &path, const QByteArray &bytes)
{
    return writeTogether({{path, bytes}});
}

QString writeTogether(const std::vector<Part> &parts)
{
    for (const Part &part : parts) {
        const QString refused = whyNotWritable(part.path);
        if (!refused.isEmpty())
            return refused;
    }
    ignoreFileSizeSignal();
    std::vector<Temporary> temporaries;
    QString reason;
    for (const Part &part : parts) {
        Temporary temporary = writeTemporary(part.path, part.bytes, &reason);
        if (temporary.name.isEmpty())
            break;
        temporaries.push_back(temporary);
    }
    // All written before any is synced: the file system then puts them on disk in one go.
    bool complete = temporaries.size() == parts.size();
    for (Temporary &t : temporaries)
        if (!finish(t, &reason))
            complete = false;
    if (complete) {
        for (size_t i = 0; i < parts.size(); ++i) {
            // rename() replaces a link in the target's place with the new file; it never follows it.
            const QByteArray target = QFile::encodeName(QFileInfo(parts[i].path).absoluteFilePath());
            if (::rename(temporaries[i].name.constData(), target.constData()) != 0) {
                reason = systemReason(errno);
                break;
            }
            temporaries[i].name.clear();
        }
    }
    for (const Temporary &t : temporaries)
        if (!t.name.isEmpty())
            ::unlink(t.name.constData());
    if (!reason.isEmpty())
        return reason;
    QStringList synced;
    for (const Part &part : parts) {
        const QString folder = QFileInfo(part.path).absolutePath();
        if (!synced.contains(folder)) {
            syncFolder(folder);
            synced.append(folder);
        }
    }
    return QString();
}

QString encodeImage(const QImage &picture, const char *format, QByteArray *bytes)
{
    bytes->clear();
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    const QImage toWrite =
        qstrcmp(format, "bmp") == 0 ? picture.convertToFormat(QImage::Format_RGB32) : picture;
    if (toWrite.isNull() || !writer.write(toWrite)) {
        bytes->clear();
        return QStringLiteral("无法把图片编码为%1格式（内存不足或图片为空）")
            .arg(QString::fromLatin1(format).toUpper());
    }
    return QString();
}

QString writeImage(const QString &path, const QImage &picture, const char *format)
{
    QByteArray bytes;
    const QString reason = encodeImage(picture, format, &bytes);
    if (!reason.isEmpty())
        return reason;
    return write(path, bytes);
}
} // namespace SafeFile
