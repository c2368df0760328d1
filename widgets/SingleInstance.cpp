#include "widgets/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = QDir(dir).filePath(name);
}

SingleInstance::~SingleInstance()
{
    // The file stays: removing it could let a starting copy lock a file that is no longer the one
    // others open. Closing releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_fd >= 0)
        return Result::Acquired;
    // Something other than a lock file in its place (a directory, a device, a link) cannot be a lock:
    // taking it for one held by another copy would keep every later start from running.
    const QFileInfo existing(m_path);
    if (existing.isSymLink() || (existing.exists() && !existing.isFile()))
        return Result::Unavailable;
    // O_NOFOLLOW: the lock is never taken through a link planted in the runtime folder.
    const int fd =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        return Result::Acquired;
    }
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? Result::AlreadyRunning : Result::Unavailable;
}
