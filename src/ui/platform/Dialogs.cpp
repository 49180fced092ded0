#include "Dialogs.h"


#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

namespace {

std::optional<QColor> platformColorDialog(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QString> platformOpenDialog(const TOpenDialog &dialog, QWidget *parent)
{
    QString start = dialog.InitialDir;
    if (!dialog.FileName.isEmpty())
        start = QDir(dialog.InitialDir).filePath(dialog.FileName);
    const QString chosen = QFileDialog::getOpenFileName(parent, dialog.Title, start, FileDialogFilter(dialog.Filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<TFontValue> platformFontDialog(const TFontValue &initial, QWidget *parent)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontValueToQFont(initial), parent);
    if (!ok)
        return std::nullopt;
    TFontValue font = initial;
    font.Name = chosen.family();
    if (chosen.pointSize() > 0)
        font.Size = chosen.pointSize();
    font.Bold = chosen.bold();
    font.Italic = chosen.italic();
    font.Underline = chosen.underline();
    return font;
}

ColorChooser &colorChooser()
{
    static ColorChooser chooser = platformColorDialog;
    return chooser;
}

OpenFileChooser &openFileChooser()
{
    static OpenFileChooser chooser = platformOpenDialog;
    return chooser;
}

FontChooser &fontChooser()
{
    static FontChooser chooser = platformFontDialog;
    return chooser;
}

template <typename F>
F install(F &slot, F chooser, F fallback)
{
    F previous = std::move(slot);
    slot = chooser ? std::move(chooser) : std::move(fallback);
    return previous;
}

} // namespace

ColorChooser SetColorChooser(ColorChooser chooser)
{
    return install(colorChooser(), std::move(chooser), ColorChooser(platformColorDialog));
}

OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser)
{
    return install(openFileChooser(), std::move(chooser), OpenFileChooser(platformOpenDialog));
}

FontChooser SetFontChooser(FontChooser chooser)
{
    return install(fontChooser(), std::move(chooser), FontChooser(platformFontDialog));
}

std::optional<QColor> ChooseColor(const QColor &initial, QWidget *parent) { return colorChooser()(initial, parent); }

std::optional<QString> ChooseOpenFile(const TOpenDialog &dialog, QWidget *parent)
{
    return openFileChooser()(dialog, parent);
}

std::optional<TFontValue> ChooseFont(const TFontValue &initial, QWidget *parent)
{
    return fontChooser()(initial, parent);
}

QString FileDialogFilter(const QString &storedFilter)
{
    const QStringList parts = storedFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        patterns.removeAll(QString());
        const QString bracketed = QStringLiteral("(") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
        // The text normally ends in its own bracketed patterns; those are replaced, not repeated.
        const qsizetype open = text.lastIndexOf(QLatin1Char('('));
        if (text.endsWith(QLatin1Char(')')) && open >= 0)
            text = text.left(open) + bracketed;
        else
            text = text + QLatin1Char(' ') + bracketed;
        entries << text;
    }
    return entries.join(QStringLiteral(";;"));
}

QColor PlatformColorToQColor(int32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t QColorToPlatformColor(const QColor &color)
{
    return int32_t(color.red() | (color.green() << 8) | (color.blue() << 16));
}

QFont FontValueToQFont(const TFontValue &font)
{
    QFont f;
    if (!font.Name.isEmpty())
        f.setFamily(font.Name);
    if (font.Size > 0)
        f.setPointSize(font.Size);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    return f;
}
