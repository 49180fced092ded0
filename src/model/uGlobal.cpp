#include "uGlobal.h"

#include "Conversions.h"
#include "FileWrite.h"
#include "Messages.h"
#include "Paths.h"
#include "Temporaries.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString fold(const QString &s) { return s.toCaseFolded(); }

void sortWithoutCase(QStringList &list)
{
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

// ---- Colours -------------------------------------------------------------------------------

QString ColorToHtmlHex(int32_t color)
{
    QString hex = QString::number(uint32_t(color), 16).toUpper().rightJustified(6, QLatin1Char('0'));
    const QString first = hex.left(2);
    hex.replace(0, 2, hex.mid(4, 2));
    hex.replace(4, 2, first);
    return hex;
}

int32_t SwapRedBlue(int32_t value)
{
    const uint32_t v = uint32_t(value);
    return int32_t(((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu));
}

int32_t SwapRedBlueValue(int32_t value)
{
    return SwapRedBlue(value);
}

int32_t HtmlHexToColor(const QString &text)
{
    if (text.isEmpty())
        return 0;
    return SwapRedBlue(StrToInt(QStringLiteral("0x") + text));
}

const std::array<int32_t, 16> BasicColors{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                          0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                          0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

int32_t StringToColor(const QString &text)
{
    static const char *const names[16] = {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple",
                                          "clTeal",  "clGray",   "clSilver", "clRed", "clLime", "clYellow",
                                          "clBlue",  "clFuchsia", "clAqua", "clWhite"};
    for (size_t i = 0; i < BasicColors.size(); ++i)
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return BasicColors[i];
    return StrToInt(text);
}

// ---- Booleans ------------------------------------------------------------------------------

QString BoolToText(bool flag) { return flag ? QStringLiteral("true") : QStringLiteral("false"); }
bool TextToBool(const QString &text) { return text.toLower() == QLatin1String("true"); }
int BoolToInt(bool flag) { return flag ? 1 : 0; }
bool IntToBool(int value) { return value == 1; }
bool ByteIsOne(int value) { return value == 1; }
bool ByteToBool(int value) { return value != 0; }

// ---- Files and folders -----------------------------------------------------------------------

bool CopyFileCompat(const QString &source, const QString &target, FileSync sync, QString *error)
{
    const auto refuse = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    std::error_code ec;
    const fs::path from = toPath(source), to = toPath(target);
    if (source.isEmpty() || target.isEmpty())
        return refuse(QStringLiteral("No file name."));
    if (!fs::is_regular_file(from, ec))
        return refuse(QStringLiteral("The source is no regular file."));
    const fs::file_status existing = fs::symlink_status(to, ec);
    if (fs::exists(existing)) {
        if (!fs::is_regular_file(existing))
            return refuse(QStringLiteral("The target is no regular file."));
        if (fs::equivalent(from, to, ec))
            return true; // onto itself: already there
    }
    return TryCopyFileWhole(source, target, sync, error);
}

namespace {

bool deleteFiles(const fs::path &folder, bool recursive)
{
    std::error_code ec;
    bool all = true;
    std::vector<fs::path> subFolders;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (const fs::directory_entry &entry : it) {
        const fs::file_status st = entry.symlink_status(ec);
        if (ec) {
            all = false;
            continue;
        }
        if (fs::is_symlink(st)) {
            if (fs::is_directory(entry.path(), ec))
                continue; // a link to a folder counts as a folder: it stays and is not followed
        } else if (fs::is_directory(st)) {
            if (recursive)
                subFolders.push_back(entry.path());
            continue;
        }
        if (!fs::remove(entry.path(), ec))
            all = false;
    }
    for (const fs::path &sub : subFolders)
        all = deleteFiles(sub, true) && all;
    return all;
}

bool refusedFolder(const QString &folder)
{
    if (TrimText(folder).isEmpty())
        return true;
    const QString clean = QDir::cleanPath(folder);
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return clean == QLatin1String("/") || canonical == QLatin1String("/");
}

} // namespace

bool DeleteFolderFiles(const QString &folder, bool recursive)
{
    if (refusedFolder(folder))
        return false;
    return deleteFiles(toPath(folder), recursive);
}

bool RemoveSubFolders(const QString &folder)
{
    if (refusedFolder(folder))
        return false;
    std::error_code ec;
    fs::directory_iterator it(toPath(folder), ec);
    if (ec)
        return false;
    std::vector<fs::path> subFolders;
    for (const fs::directory_entry &entry : it)
        if (fs::is_directory(entry.symlink_status(ec)))
            subFolders.push_back(entry.path());
    bool all = true;
    for (const fs::path &sub : subFolders)
        if (!fs::remove(sub, ec)) // removes only an empty folder
            all = false;
    return all;
}

QString GetTempFolder()
{
    // The lock names the folder as this process's for as long as it stands.
    static const struct TProcessTemp {
        TFolderInUse inUse{QDir::tempPath()};
        std::optional<QTemporaryDir> dir;
        TProcessTemp()
        {
            if (!inUse.Error())
                dir.emplace(inUse.Template());
        }
    } temp;
    if (!temp.dir || !temp.dir->isValid())
        return QString();
    const QTemporaryDir &dir = *temp.dir;
    if (!QFileInfo(dir.path()).isDir()
        && !QDir().mkdir(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return QString();
    return WithSlash(dir.path());
}

QString ExistingFolderOrDefault(const QString &folder, const QString &fallback)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

// ---- Template listings with the on-top ordering ----------------------------------------------

QStringList HorzTop;
QStringList HorzTopSpec;
QStringList VertTop;
QStringList VertTopSpec;

void ClearOnTopLists()
{
    HorzTop.clear();
    HorzTopSpec.clear();
    VertTop.clear();
    VertTopSpec.clear();
}

void ListFolderFiles(const QString &folder, const QStringList &extensions, bool onTop, bool horizontal,
                     QStringList &result)
{
    result.clear();
    QStringList &top = horizontal ? HorzTop : VertTop;
    QStringList &specific = horizontal ? HorzTopSpec : VertTopSpec;
    QSet<QString> listed; // folded base names of both lists
    if (onTop)
        for (const QString &name : top + specific)
            listed.insert(fold(name));

    const QDir dir(folder);
    QStringList files = dir.exists() ? dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort) : QStringList();
    sortWithoutCase(files);

    QSet<QString> taken;
    QHash<QString, QString> onTopFile; // folded base -> the first file found for it
    QStringList rest;
    for (const QString &ext : extensions) {
        for (const QString &file : std::as_const(files)) {
            const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
            const QString suffix = dot < 0 ? QString() : file.mid(dot + 1);
            if (taken.contains(file) || suffix.compare(ext, Qt::CaseInsensitive) != 0)
                continue;
            taken.insert(file);
            const QString base = fold(dot < 0 ? file : file.left(dot));
            if (listed.contains(base) && !onTopFile.contains(base))
                onTopFile.insert(base, file);
            else
                rest << file;
        }
    }
    sortWithoutCase(rest);
    if (!onTop) {
        result = rest;
        return;
    }
    const auto hasNoFile = [&](const QString &name) { return !onTopFile.contains(fold(name)); };
    top.removeIf(hasNoFile);
    specific.removeIf(hasNoFile);
    QSet<QString> placed;
    for (const QString &name : specific + top) {
        const QString file = onTopFile.value(fold(name));
        if (!placed.contains(file)) {
            placed.insert(file);
            result << file;
        }
    }
    result += rest;
}

// ---- Text replacement ----------------------------------------------------------------------

namespace {

// The one replacement core. Restarting from the beginning after each replacement is the same as
// scanning on with the replacement pushed back in front of the unread text: the text before the
// first occurrence cannot hold the pattern. Only a replacement shorter than the pattern restarts,
// so every round shortens the text and the loop ends; a longer one that cannot rebuild the
// pattern gives the same result as a single pass.
QString replaceCore(const QString &source, const QString &pattern, const QString &replacement, bool restart)
{
    if (pattern.isEmpty())
        return source;
    if (!restart || replacement.size() >= pattern.size())
        return QString(source).replace(pattern, replacement, Qt::CaseSensitive);
    const qsizetype m = pattern.size();
    QString out;
    out.reserve(source.size());
    std::vector<QChar> pending; // pushed-back replacement text, next character last
    qsizetype next = 0;
    for (;;) {
        if (!pending.empty()) {
            out += pending.back();
            pending.pop_back();
        } else if (next < source.size()) {
            out += source[next++];
        } else {
            break;
        }
        if (out.size() >= m && QStringView(out).right(m) == pattern) {
            out.chop(m);
            for (qsizetype k = replacement.size(); k > 0; --k)
                pending.push_back(replacement[k - 1]);
        }
    }
    return out;
}

} // namespace

QString WideReplaceAll(const QString &source, const QString &pattern, const QString &replacement)
{
    return replaceCore(source, pattern, replacement, false);
}

QString ReplaceAllText(const QString &text, const QString &pattern, const QString &replacement)
{
    return replaceCore(text, pattern, replacement, true);
}

QString ReplaceAllAnsiText(const QString &pattern, const QString &replacement, const QString &source)
{
    return replaceCore(source, pattern, replacement, true);
}

// ---- Fonts ---------------------------------------------------------------------------------

QString FontToHintText(const QString &face, int size, int32_t color)
{
    const QString crlf = QStringLiteral("\r\n");
    return LangMsg(49) + QStringLiteral(" : ") + face + crlf + LangMsg(50) + QStringLiteral(" : ")
        + QString::number(size) + crlf + LangMsg(51) + QStringLiteral(" : ") + ColorToHtmlHex(color);
}

QFont &SetFontNameSize(QFont &font, const QString &name, int size)
{
    font.setFamily(name);
    if (size > 0)
        font.setPointSize(size);
    return font;
}
