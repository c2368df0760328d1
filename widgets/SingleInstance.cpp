#include "widgets/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = QDir(dir).filePath(name);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Result SingleInstance::acquire()
{
    // Something other than a lock file in its place (a directory, a device, a link) cannot be a lock:
    // QLockFile would take it for one held by another copy, and no copy could ever start again.
    const QFileInfo existing(m_path);
    if ((existing.exists() || existing.isSymLink()) && (existing.isSymLink() || !existing.isFile()))
        return Result::Unavailable;
    m_lock = std::make_unique<QLockFile>(m_path);
    // A live holder is never broken; a dead one's lock is recognised by its process id.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Result::Acquired;
    if (m_lock->error() == QLockFile::LockFailedError) {
        // Only a lock that names a process is held by another copy; one that cannot be read (it is not
        // a lock file, or unreadable) is no reason to refuse this start.
        qint64 pid = 0;
        QString host, app;
        if (QFileInfo(m_path).isFile() && m_lock->getLockInfo(&pid, &host, &app) && pid > 0)
            return Result::AlreadyRunning;
    }
    return Result::Unavailable;
}
