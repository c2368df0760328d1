#pragma once
// Disk trouble for tests of saving. SmallDisk mounts a tmpfs of a given size on a folder (only root may,
// and only where mounting works: otherwise mounted() is false and the caller skips or falls back) and can
// fill it to leave little room. FileSizeLimit lowers this process's file-size limit (RLIMIT_FSIZE) while
// it lives: any user may, and a write crossing the limit fails with EFBIG (the program ignores SIGXFSZ).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

class SmallDisk {
public:
    SmallDisk(const QString &folder, qint64 bytes) : m_folder(folder)
    {
        if (::geteuid() != 0)
            return;
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
        m_mounted =
            ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    qint64 freeBytes() const
    {
        struct statvfs s {};
        return ::statvfs(QFile::encodeName(m_folder).constData(), &s) == 0 ? qint64(s.f_bavail) * s.f_frsize
                                                                           : -1;
    }
    // Fills the disk with a filler file until at most `room` bytes are left; true when it got there.
    bool leaveFree(qint64 room)
    {
        QFile filler(QDir(m_folder).filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (freeBytes() > room) {
            const qint64 chunk = qMin<qint64>(block.size(), qMax<qint64>(freeBytes() - room, 1));
            if (filler.write(block.constData(), chunk) <= 0)
                break;
        }
        return freeBytes() <= room;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool isSet() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
};
