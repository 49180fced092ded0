#pragma once
// The platform's colour, open-file and font dialogs, each behind a replaceable function so that a
// test answers them and no test waits for a person.
#include "uDesignTypes.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// What an open dialog starts from. Filter is in the stored form "text|patterns|text|patterns",
// patterns separated by ";".
struct TOpenDialog {
    QString Filter;
    QString InitialDir;
    QString FileName;
    QString Title;  // "" gives the platform's own
};

// Each chooser gives the chosen value, or nothing when the dialog was cancelled.
using ColorChooser = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;
using OpenFileChooser = std::function<std::optional<QString>(const TOpenDialog &dialog, QWidget *parent)>;
// The font dialog offers no colour: the chosen font keeps the colour of the initial one.
using FontChooser = std::function<std::optional<TFontValue>(const TFontValue &initial, QWidget *parent)>;

// Each setter installs a chooser and returns the previous one; an empty function restores the
// platform dialog.
ColorChooser SetColorChooser(ColorChooser chooser);
OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser);
FontChooser SetFontChooser(FontChooser chooser);

std::optional<QColor> ChooseColor(const QColor &initial, QWidget *parent);
std::optional<QString> ChooseOpenFile(const TOpenDialog &dialog, QWidget *parent);
std::optional<TFontValue> ChooseFont(const TFontValue &initial, QWidget *parent);

// The stored filter form as the toolkit's dialog reads it: "text (p1 p2);;text2 (p3)". The
// patterns in a text's closing brackets are given with blanks, since the dialog splits on blanks.
QString FileDialogFilter(const QString &storedFilter);

// Colours between the platform order 0x00BBGGRR and painting.
QColor PlatformColorToQColor(int32_t color);
int32_t QColorToPlatformColor(const QColor &color);
// The font as text is drawn with it (the colour is painted separately).
QFont FontValueToQFont(const TFontValue &font);

