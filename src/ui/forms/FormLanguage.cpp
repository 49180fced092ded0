#include "FormLanguage.h"

#include "Trans.h"

QString FormLanguage() { return LanguageName; }
void SetFormLanguage(const QString &language) { LanguageName = language; }

bool IsJapaneseLanguage(const QString &language) { return language == QLatin1String("Japanese"); }

QFont LanguageFormFont(const QString &language) { return LanguageQFont(language); }
