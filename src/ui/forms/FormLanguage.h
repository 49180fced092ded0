#pragma once
// The language a form takes its font from when it is created: the current user interface language.
#include <QFont>
#include <QString>

class QWidget;

QString FormLanguage();
void SetFormLanguage(const QString &language);

// Exactly "Japanese" (case matters).
bool IsJapaneseLanguage(const QString &language);

// "MS PGothic" 9 for Japanese, "MS Sans Serif" 8 otherwise.
QFont LanguageFormFont(const QString &language);

#include "Trans.h" // TranslateOnCreate
