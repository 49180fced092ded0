#include "SingleInstance.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A second process that holds the lock file until told to end.
class LockHolder {
public:
    explicit LockHolder(const QString &file)
    {
        if (::pipe(m_ready) != 0 || ::pipe(m_release) != 0)
            return;
        const QByteArray path = QFile::encodeName(file);
        m_pid = ::fork();
        if (m_pid == 0) {
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0644);
            const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
            (void)!::write(m_ready[1], &ok, 1);
            char c;
            (void)!::read(m_release[0], &c, 1);
            ::_exit(0);
        }
        char ok = '0';
        m_holding = m_pid > 0 && ::read(m_ready[0], &ok, 1) == 1 && ok == '1';
    }
    ~LockHolder() { release(); }
    bool holding() const { return m_holding; }
    void release()
    {
        if (m_pid <= 0)
            return;
        const char c = 'x';
        (void)!::write(m_release[1], &c, 1);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        for (int fd : {m_ready[0], m_ready[1], m_release[0], m_release[1]})
            ::close(fd);
    }

private:
    int m_ready[2] = {-1, -1};
    int m_release[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_holding = false;
};

} // namespace

TEST(SingleInstance, TheFirstLockWinsAndASecondObjectSeesItRunningUntilItIsGone)
{
    TempFolder app;
    auto first = std::make_unique<SingleInstanceLock>(app.path());
    EXPECT_EQ(first->Acquire(), InstanceLock::Acquired);
    EXPECT_EQ(first->Acquire(), InstanceLock::Acquired);
    EXPECT_TRUE(app.exists("tolvanar.lock"));

    SingleInstanceLock second(app.path());
    EXPECT_EQ(second.Acquire(), InstanceLock::AlreadyRunning);
    EXPECT_EQ(second.ErrorText(), "");

    first.reset();
    EXPECT_EQ(second.Acquire(), InstanceLock::Acquired);
}

TEST(SingleInstance, ALockHeldByAnotherProcessMeansAlreadyRunning)
{
    TempFolder app;
    LockHolder other(app.file("tolvanar.lock"));
    ASSERT_TRUE(other.holding());
    SingleInstanceLock lock(app.path());
    EXPECT_EQ(lock.Acquire(), InstanceLock::AlreadyRunning);
    other.release();
    EXPECT_EQ(lock.Acquire(), InstanceLock::Acquired);
}

TEST(SingleInstance, ALockFileThatCannotBeMadeIsAFailureWithItsReason)
{
    TempFolder app;
    SingleInstanceLock missing(app.file("no such folder"));
    EXPECT_EQ(missing.Acquire(), InstanceLock::Failed);
    EXPECT_TRUE(missing.ErrorText().contains(app.file("no such folder/tolvanar.lock"))) << qPrintable(missing.ErrorText());
    EXPECT_TRUE(missing.ErrorText().contains("No such file or directory")) << qPrintable(missing.ErrorText());

    // A link planted in place of the lock file is not followed.
    ASSERT_TRUE(QFile::link(app.file("elsewhere"), app.file("tolvanar.lock")));
    SingleInstanceLock linked(app.path());
    EXPECT_EQ(linked.Acquire(), InstanceLock::Failed);
    EXPECT_FALSE(app.exists("elsewhere"));
}

TEST(SingleInstance, AFolderWithoutWriteAccessIsAFailure)
{
    TempFolder app;
    ASSERT_TRUE(QFile::setPermissions(app.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    SingleInstanceLock lock(app.path());
    InstanceLock result;
    {
        // Root writes through permissions.
        Unprivileged scope;
        ASSERT_NE(::geteuid(), 0u) << "cannot act as an ordinary user";
        result = lock.Acquire();
    }
    EXPECT_EQ(result, InstanceLock::Failed);
    EXPECT_TRUE(lock.ErrorText().contains("Permission denied")) << qPrintable(lock.ErrorText());
    QFile::setPermissions(app.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(SingleInstance, AnotherUserCannotHoldTheLockAndKeepTheProgramFromStarting)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root acts as another user";
    TempFolder app;
    ASSERT_EQ(::chmod(QFile::encodeName(app.path()).constData(), 0755), 0);
    // As an earlier version left it, readable to all.
    app.write("tolvanar.lock", "");
    ASSERT_TRUE(QFile::setPermissions(app.file("tolvanar.lock"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    {
        SingleInstanceLock first(app.path());
        ASSERT_EQ(first.Acquire(), InstanceLock::Acquired);
    }
    const OtherUser holder([&] {
        const int fd = ::open(QFile::encodeName(app.file("tolvanar.lock")).constData(), O_RDONLY);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
    EXPECT_FALSE(holder.Ready());
    SingleInstanceLock next(app.path());
    EXPECT_EQ(next.Acquire(), InstanceLock::Acquired);
}
