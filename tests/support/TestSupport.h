#pragma once
// Shared test fixtures: temporary program folders, file helpers and a scripted message box.
#include "MessageBox.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>

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

QByteArray ReadFileBytes(const QString &path);
void WriteFileBytes(const QString &path, const QByteArray &bytes);
QString ShippedDataDir();

// The text of the Exception the action raises; "" when it raises none.
QString ExceptionText(const std::function<void()> &action);
