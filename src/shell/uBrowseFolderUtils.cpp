#include "uBrowseFolderUtils.h"

#include "Conversions.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

FolderPicker &folderPicker()
{
    static FolderPicker picker = [](QWidget *owner, const QString &title, const QString &start) {
        return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
    };
    return picker;
}

OpenFilePicker &openFilePicker()
{
    static OpenFilePicker picker = [](QWidget *owner, const QString &title, const QString &start,
                                      const QString &filter) {
        return QFileDialog::getOpenFileName(owner, title, start, filter);
    };
    return picker;
}

} // namespace

FolderPicker SetFolderPicker(FolderPicker picker)
{
    FolderPicker previous = std::move(folderPicker());
    folderPicker() = std::move(picker);
    return previous;
}

OpenFilePicker SetOpenFilePicker(OpenFilePicker picker)
{
    OpenFilePicker previous = std::move(openFilePicker());
    openFilePicker() = std::move(picker);
    return previous;
}

QString BrowseForFolderCompat(QWidget *owner, const QString &title, const QString &startFolder)
{
    if (!folderPicker())
        return QString();
    const QString chosen = folderPicker()(owner, title, startFolder);
    // Anything but a real folder (a cancelled dialog, a virtual place) counts as no choice.
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return QString();
    return QDir::cleanPath(QDir::fromNativeSeparators(chosen));
}

QString QtNameFilter(const QString &storedFilter)
{
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = storedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = TrimText(parts[i]);
        label.remove(ownPatterns);
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';')))
            if (!TrimText(p).isEmpty())
                patterns << TrimText(p);
        if (patterns.isEmpty())
            continue;
        if (label.isEmpty())
            label = patterns.join(QLatin1Char(' '));
        filters << label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString OpenFileDialog(QWidget *owner, const QString &title, const QString &startFolder,
                       const QString &storedFilter)
{
    if (!openFilePicker())
        return QString();
    return openFilePicker()(owner, title, startFolder, QtNameFilter(storedFilter));
}
