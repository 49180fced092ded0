#include "FormLanguage.h"

#include "uGlobal.h"

namespace {
QString &currentLanguage()
{
    static QString language = QStringLiteral("English");
    return language;
}
} // namespace

QString FormLanguage() { return currentLanguage(); }
void SetFormLanguage(const QString &language) { currentLanguage() = language; }

bool IsJapaneseLanguage(const QString &language) { return language == QLatin1String("Japanese"); }

QFont LanguageFormFont(const QString &language)
{
    QFont font;
    if (IsJapaneseLanguage(language))
        return SetFontNameSize(font, QStringLiteral("MS PGothic"), 9);
    return SetFontNameSize(font, QStringLiteral("MS Sans Serif"), 8);
}

void TranslateOnCreate(QWidget *, const QString &)
{
    // No language layer yet: the built-in English texts stand.
}
