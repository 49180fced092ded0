#pragma once
// The language a form takes its font from when it is created. The language layer sets it whenever
// the user interface language changes; forms only read it.
#include <QFont>
#include <QString>

class QWidget;

QString FormLanguage();
void SetFormLanguage(const QString &language);

// Exactly "Japanese" (case matters).
bool IsJapaneseLanguage(const QString &language);

// "MS PGothic" 9 for Japanese, "MS Sans Serif" 8 otherwise.
QFont LanguageFormFont(const QString &language);

// Translates a form (or frame) from its section of the language file when it is created. The
// language layer plugs in here; until a language file is loaded the built-in texts stand.
void TranslateOnCreate(QWidget *form, const QString &section);
