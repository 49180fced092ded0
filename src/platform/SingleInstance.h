#pragma once
// One running instance per program folder: an exclusive lock (flock) on a lock file there. The lock
// lives as long as the object; the system drops it when the process ends, however it ends.
#include <QString>

enum class InstanceLock { Acquired, AlreadyRunning, Failed };

class SingleInstanceLock {
public:
    static constexpr const char *LockFileName = "tolvanar.lock";

    // folder is the program folder, with or without its trailing "/".
    explicit SingleInstanceLock(const QString &folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // Takes the lock without waiting. Calling it again after success changes nothing.
    InstanceLock Acquire();
    // Why the last Acquire failed ("" unless it returned Failed).
    const QString &ErrorText() const { return m_error; }
    const QString &FileName() const { return m_fileName; }

private:
    QString m_fileName;
    QString m_error;
    int m_fd = -1;
    bool m_held = false;
};
