#pragma once
// One running copy per user: a lock file held for the whole run. A lock left by a crashed run is
// recognised (its process is gone) and taken over.
#include <QString>
#include <memory>

class QLockFile;

class SingleInstance {
public:
    enum class Result { Acquired, AlreadyRunning, Unavailable };

    explicit SingleInstance(const QString &name = QStringLiteral("velnor-card.lock"));
    ~SingleInstance();
    // Unavailable: the lock location cannot be used; the caller may run without the check.
    Result acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
