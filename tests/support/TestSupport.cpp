#include "TestSupport.h"

#include "Errors.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <grp.h>
#include <stdexcept>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

TempFolder::TempFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempFolder::path() const { return m_dir.path() + QLatin1Char('/'); }
QString TempFolder::file(const QString &relative) const { return path() + relative; }
void TempFolder::write(const QString &relative, const QByteArray &bytes) const { WriteFileBytes(file(relative), bytes); }
QByteArray TempFolder::read(const QString &relative) const { return ReadFileBytes(file(relative)); }
bool TempFolder::exists(const QString &relative) const { return QFileInfo::exists(file(relative)); }

ScriptedMessageBox::ScriptedMessageBox()
{
    m_previous = SetMessageBoxHandler([this](const MessageBoxRequest &r) {
        m_shown.append(r);
        if (m_answers.empty())
            return r.buttons.isEmpty() ? int(mrOK) : r.buttons.first();
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
}

ScriptedMessageBox::~ScriptedMessageBox() { SetMessageBoxHandler(m_previous); }

QStringList ScriptedMessageBox::texts() const
{
    QStringList out;
    for (const auto &r : m_shown)
        out << r.text;
    return out;
}

ScopedEnvironment::ScopedEnvironment(const char *name, const QByteArray &value)
    : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (m_wasSet)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + path).toStdString());
    return f.readAll();
}

void WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

QString ShippedDataDir() { return QStringLiteral(TOLVANAR_DATA_DIR) + QLatin1Char('/'); }

void CopyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir dir(from);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (fi.isDir())
            CopyTree(fi.filePath(), to + "/" + fi.fileName());
        else
            QFile::copy(fi.filePath(), to + "/" + fi.fileName());
    }
}

Unprivileged::Unprivileged()
{
    if (geteuid() != 0 || setegid(65534) != 0)
        return;
    m_dropped = seteuid(65534) == 0;
    if (!m_dropped)
        (void)setegid(0);
}

Unprivileged::~Unprivileged()
{
    if (m_dropped) {
        (void)seteuid(0);
        (void)setegid(0);
    }
}

struct FileSizeLimit::Saved {
    rlimit limit{};
    void (*handler)(int) = SIG_DFL;
};

FileSizeLimit::FileSizeLimit(qint64 bytes) : m_saved(new Saved)
{
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &m_saved->limit), 0);
    // Past the limit a write fails with EFBIG instead of ending the process.
    m_saved->handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_saved->limit;
    limited.rlim_cur = rlim_t(bytes);
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved->limit);
    std::signal(SIGXFSZ, m_saved->handler);
    delete m_saved;
}

bool KillMidway(const std::function<void()> &work, const std::function<bool()> &caught)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        try {
            for (;;)
                work();
        } catch (...) {
        }
        _exit(1);
    }
    bool ended = false;
    const bool hit = QTest::qWaitFor(
        [&] {
            if (ended)
                return true;
            int status = 0;
            if (kill(child, SIGSTOP) != 0 || waitpid(child, &status, WUNTRACED) != child || !WIFSTOPPED(status)) {
                ended = true;
                return true;
            }
            if (caught())
                return true;
            kill(child, SIGCONT);
            return false;
        },
        60000);
    kill(child, SIGKILL);
    int status = 0;
    if (!ended)
        waitpid(child, &status, 0);
    return hit && !ended;
}

QString ExceptionText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &e) {
        return e.Message();
    }
    return QString();
}

void MakeZipArchive(const QString &file, const QList<RawMember> &members, const std::function<void(zip *)> &more)
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(za, nullptr);
    for (const RawMember &m : members) {
        zip_source_t *src = zip_source_buffer(za, m.data.constData(), zip_uint64_t(m.data.size()), 0);
        ASSERT_NE(src, nullptr);
        const zip_int64_t i = zip_file_add(za, m.name.constData(), src, ZIP_FL_ENC_RAW);
        ASSERT_GE(i, 0) << m.name.constData();
        zip_file_set_external_attributes(za, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, m.mode << 16);
        if (m.compression != ZIP_CM_DEFAULT) {
            ASSERT_EQ(zip_set_file_compression(za, zip_uint64_t(i), m.compression, 0), 0) << m.name.constData();
        }
        if (m.encrypt) {
            ASSERT_EQ(zip_file_set_encryption(za, zip_uint64_t(i), ZIP_EM_AES_256, "secret"), 0);
        }
    }
    if (more)
        more(za);
    ASSERT_EQ(zip_close(za), 0);
}

bool BecomeUser(uid_t user)
{
    return setgroups(0, nullptr) == 0 && setresgid(user, user, user) == 0 && setresuid(user, user, user) == 0;
}

OtherUser::OtherUser(const std::function<bool()> &act)
{
    int ready[2], hold[2];
    if (geteuid() != 0 || pipe(ready) != 0)
        return;
    if (pipe(hold) != 0) {
        close(ready[0]);
        close(ready[1]);
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        close(ready[0]);
        close(hold[1]);
        if (BecomeUser(Id) && act())
            (void)!write(ready[1], "r", 1);
        close(ready[1]);
        // Stands until the test lets it go.
        char byte;
        (void)!read(hold[0], &byte, 1);
        _exit(0);
    }
    close(ready[1]);
    close(hold[0]);
    m_hold = hold[1];
    char byte;
    m_ready = m_pid > 0 && read(ready[0], &byte, 1) == 1;
    close(ready[0]);
}

OtherUser::~OtherUser()
{
    if (m_hold >= 0)
        close(m_hold);
    if (m_pid > 0) {
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

SystemSetting::SystemSetting(const QString &path, const QByteArray &value)
    : m_turn(open("/tmp/tolvanar-tests-sysctl.lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600)), m_path(path)
{
    if (m_turn >= 0)
        while (flock(m_turn, LOCK_EX) != 0 && errno == EINTR) {
        }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_old = file.readAll().trimmed();
    file.close();
    m_set = file.open(QIODevice::WriteOnly) && file.write(value + '\n') > 0 && file.flush();
}

SystemSetting::~SystemSetting()
{
    QFile file(m_path);
    if (m_set && file.open(QIODevice::WriteOnly))
        file.write(m_old + '\n');
    file.close();
    if (m_turn >= 0)
        close(m_turn);
}

pid_t EndedProcessId()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

void PlantCopyLeftovers(const QString &folder, const QString &privateFile)
{
    WriteFileBytes(folder + "/report.doc", "the user's report");
    WriteFileBytes(folder + "/notes.txt", "the user's notes");
    const QString dead = QString::number(EndedProcessId()) + "-1-planted";
    for (const char *prefix : {".tolvanar-tmp-", ".tolvanar-backup-"}) {
        const QString backups = folder + "/" + prefix + dead;
        QDir().mkpath(backups);
        ASSERT_TRUE(QFile::link(privateFile, backups + "/0"));
        WriteFileBytes(backups + "/2", "planted over the user's notes");
        WriteFileBytes(backups + "/journal", "0 old copied.txt\n1 new report.doc\n2 old notes.txt\n"
                                             + QDir(backups).relativeFilePath(privateFile).toUtf8()
                                             + " old climbed.txt\n");
    }
}

QStringList PlantedHarm(const QString &folder, const QString &privateFile)
{
    QStringList harm;
    if (!QFileInfo::exists(folder + "/report.doc"))
        harm << "report.doc is gone";
    else if (ReadFileBytes(folder + "/report.doc") != "the user's report")
        harm << "report.doc was changed";
    if (ReadFileBytes(folder + "/notes.txt") != "the user's notes")
        harm << "notes.txt was changed";
    const QByteArray secret = ReadFileBytes(privateFile);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (!file.isSymLink() && ReadFileBytes(file.filePath()) == secret)
            harm << file.filePath() + " holds the private file's bytes";
    }
    return harm;
}
