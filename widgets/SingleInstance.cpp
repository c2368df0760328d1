#include "widgets/SingleInstance.h"

#include <QDir>
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
    m_lock = std::make_unique<QLockFile>(m_path);
    // A live holder is never broken; a dead one's lock is recognised by its process id.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Result::Acquired;
    if (m_lock->error() == QLockFile::LockFailedError)
        return Result::AlreadyRunning;
    return Result::Unavailable;
}
