#include "TestSupport.h"

#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

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

QString ExceptionText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &e) {
        return e.Message();
    }
    return QString();
}
