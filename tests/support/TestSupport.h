#pragma once
// Shared test fixtures: temporary program folders, file helpers and a scripted message box.
#include "MessageBox.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QTimer>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>
#include <gtest/gtest.h>

// A throw-away program folder; path() ends with "/".
class TempFolder {
public:
    TempFolder();
    QString path() const;
    QString file(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// Records every box and answers from a queue (the first button when the queue is empty).
class ScriptedMessageBox {
public:
    ScriptedMessageBox();
    ~ScriptedMessageBox();
    void answer(int button) { m_answers.push_back(button); }
    const QList<MessageBoxRequest> &shown() const { return m_shown; }
    QStringList texts() const;

private:
    MessageBoxHandler m_previous;
    std::deque<int> m_answers;
    QList<MessageBoxRequest> m_shown;
};

// Sets an environment variable for its lifetime and then puts back what was there (or its absence).
class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QByteArray &value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

QByteArray ReadFileBytes(const QString &path);
void WriteFileBytes(const QString &path, const QByteArray &bytes);
QString ShippedDataDir();

// Acts on the first visible top-level window of type T once the event loop runs (inside exec()).
template <typename T>
void WhenShown(std::function<void(T *)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible()) {
                act(d);
                return;
            }
        ADD_FAILURE() << "no window shown";
    });
}

// Copies a folder with its sub-folders (regular files and folders only).
void CopyTree(const QString &from, const QString &to);

// Root writes wherever it likes: for the length of a scope the test acts as an unprivileged user,
// so that read-only files and folders really are read-only. Does nothing when not run as root.
class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

private:
    bool m_dropped = false;
};

// For the length of a scope no file of this process may grow beyond the given size: writes past it
// fail part-way, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    struct Saved;
    Saved *m_saved;
};

// Runs work over and over in a child process and kills that outright (SIGKILL) at a moment when
// caught() holds, looked at while the child stands stopped. False when no such moment came in a
// minute, or the child ended on its own.
bool KillMidway(const std::function<void()> &work, const std::function<bool()> &caught);

// The text of the Exception the action raises; "" when it raises none.
QString ExceptionText(const std::function<void()> &action);

// One member of an archive built byte for byte: names are stored as given, hostile ones included.
struct RawMember {
    QByteArray name;
    QByteArray data;
    uint32_t mode = S_IFREG | 0644;
    bool encrypt = false;
    int32_t compression = -1; // a ZIP_CM_ method; -1 is libzip's default, deflate
};

struct zip;
// Builds an archive member by member with libzip; more may change it before it is closed.
void MakeZipArchive(const QString &file, const QList<RawMember> &members,
                    const std::function<void(zip *)> &more = nullptr);

// Becomes the given user in this process, groups and all: whether it could.
bool BecomeUser(uid_t user);
// Another local user (nobody) at work beside the test: a process of theirs that runs act and then
// stands, holding whatever act opened or locked, until this object goes. Only root can start one;
// Ready() says whether act ran and returned true.
class OtherUser {
public:
    static constexpr uid_t Id = 65534;
    explicit OtherUser(const std::function<bool()> &act);
    ~OtherUser();
    OtherUser(const OtherUser &) = delete;
    OtherUser &operator=(const OtherUser &) = delete;
    bool Ready() const { return m_ready; }

private:
    pid_t m_pid = -1;
    int m_hold = -1;
    bool m_ready = false;
};
// Sets a sysctl under /proc/sys for the life of this object and puts the old value back after.
// Tests that run at once take turns: each waits until the one before has put its value back.
class SystemSetting {
public:
    SystemSetting(const QString &path, const QByteArray &value);
    ~SystemSetting();
    bool Set() const { return m_set; }

private:
    int m_turn = -1;
    QString m_path;
    QByteArray m_old;
    bool m_set = false;
};

// The id of a process that has ended: the id a dead writer's leftovers are named by.
pid_t EndedProcessId();

// What a stranger could leave where a user saves, in the form of an interrupted copy's backup
// folders of this and an earlier version: journals whose lines would copy privateFile in (by a kept
// file's name that climbs to it, or a kept file that is a link to it), delete the user's report.doc
// and overwrite the user's notes.txt. The user's two files are written as well.
void PlantCopyLeftovers(const QString &folder, const QString &privateFile);
// What such leftovers did in folder and below: each harm a line, none when the user's files keep
// their bytes and nothing holds the private file's.
QStringList PlantedHarm(const QString &folder, const QString &privateFile);
