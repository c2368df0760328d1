#pragma once
// One running copy per user: a lock file held for the whole run. The lock is the kernel's (flock on an
// open file), so it goes with the process that holds it: a crashed run leaves nothing that blocks the
// next start, and taking it writes nothing and waits for no disk.
#include <QString>

class SingleInstance {
public:
    enum class Result { Acquired, AlreadyRunning, Unavailable };

    explicit SingleInstance(const QString &name = QStringLiteral("velnor-card.lock"));
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;
    // Unavailable: the lock location cannot be used; the caller may run without the check.
    Result acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};
