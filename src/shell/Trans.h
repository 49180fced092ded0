#pragma once
#include <QFont>
// Language files ("Lang\<language>.dic" of the program folder) and the translation of forms and
// frames. A language file is an ini file: section "Global" holds AppTitle, the messages m_1..m_130
// and the filter labels f_1..f_9; a form's section (a frame's: "Form.Frame") holds "c_" + name for a
// caption or text, "h_" + name for a hint, "c_" + group + "_" + index for a radio item. Widgets are
// found by objectName. A key missing from the file keeps the text shown before.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QObject;
class QWidget;

// The current language: "English" at start, then the settings value or the Language menu's choice.
extern QString LanguageName;
// The language names found at start.
extern QStringList LanguageList;

// The application title: "Tolvanar" until a language file gives its AppTitle.
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// No file loaded, and the built-in English messages and filter labels.
void InitLanguage();
// The loaded language file's path; "" when none is loaded.
QString LangFileName();
// Loads the file as the language file and reads Global's texts into the message table, keeping the
// current text for every missing key. Returns false, changing nothing, when no file is there.
bool LoadLanguageFile(const QString &path);
// The key's value in the section of the loaded file when it is there (an empty value included),
// else current.
QString ReadLangString(const QString &current, const QString &section, const QString &key);

// The language file of a language name, "" for a name that is not a plain file name (a folder part,
// "..", a root). An existing file is found without regard to case.
QString LanguageFilePath(const QString &programFolder, const QString &name);
// Message 68, two line breaks, message 69, " : Lang\" and the language's file name.
QString LanguageFileMissingText(const QString &name);
// The language names of the folder's ".dic" files (extension matched without case), sorted without
// case; empty when the folder does not exist.
QStringList ListLanguages(const QString &folder);

// A frame has a section of its own: a form's translation does not reach inside it.
void MarkAsFrame(QWidget *frame);
bool IsFrame(const QObject *object);

// What a translation does with the text of line edits and memos: a dialog being made takes the
// language's texts; a window whose edits hold the user's data keeps them (their hints still change).
enum class EditTexts { Translate, Keep };

// The form's title from "c_" + its objectName (also with no file loaded); then, with a file loaded,
// every object under it down to frames and other windows (menus are entered).
void TranslateForm(QWidget *form, const QString &section, EditTexts edits = EditTexts::Translate);
// With a file loaded, every object under the frame down to nested frames and windows.
void TranslateFrame(QWidget *frame, const QString &section, EditTexts edits = EditTexts::Translate);
// With a file loaded, the radio buttons inside the group, in creation order, from
// "c_" + group name + "_" + index.
void TranslateRadioGroupItems(QWidget *group, const QString &section);
// One object by its class: buttons, labels, group boxes, actions, menus and tab pages take caption
// and hint; line edits their text, text edits their whole text (unless edits says Keep); a label
// showing a picture takes only the hint; a plain panel (QFrame) takes the hint and paints its own
// background.
void TranslateComponent(QObject *component, const QString &section, EditTexts edits = EditTexts::Translate);

// Loads a picture of the program folder into the label; false (the label unchanged) when the file
// is missing, not a picture, or outside the program folder.
bool LoadAppImage(QLabel *image, const QString &programFolder, const QString &relative);

// The language's font. The names are the ones the language files were made for; the toolkit is
// told which installed fonts stand in for them.
struct LanguageFont {
    QString name;
    int size = 0;
};
LanguageFont LanguageFontFor(const QString &language); // "Japanese" exactly, or any other
void ApplyLanguageFont(QWidget *widget, const QString &language);
// The language's font on the base of font (its other properties kept).
QFont LanguageQFont(const QString &language, QFont font = QFont());
// What every translated form does when it is created: its texts from its section, the language's font.
void TranslateOnCreate(QWidget *form, const QString &section);

// The Language menu: one checkable item per name (objectName "miLang" + name) in an exclusive group,
// "English" alone when the list is empty; the first item is checked. onChoose gets the chosen item.
QList<QAction *> BuildLanguageMenu(QMenu *menu, const QStringList &list,
                                   const std::function<void(QAction *)> &onChoose);
QString LanguageMenuItemName(const QString &language);
QString LanguageFromMenuItemName(const QString &objectName);
// Checks the item under root named "miLang" + LanguageName without regard to case; when there is
// none the marks stay.
void CheckCurrentLanguageItem(QObject *root);

// What the main window does in a language switch.
struct LanguageWindowHooks {
    std::function<bool()> modified;         // the project's modified flag
    std::function<void(bool)> setModified;  // sets it back afterwards
    std::function<void()> applyToWindow;    // translation of the window, its pictures, fonts, captions
};
// Loads LanguageName's file and, when it loaded, lets the window translate itself; the modified flag
// comes out as it went in. A missing file shows the warning and changes nothing. Returns whether
// the file loaded.
bool ApplyLanguage(const QString &programFolder, const LanguageWindowHooks &hooks);
// The Language menu's click: the item's language becomes LanguageName (also when its file is
// missing), then ApplyLanguage and the check mark under root.
bool SelectLanguage(const QString &programFolder, const QAction *item, QObject *root,
                    const LanguageWindowHooks &hooks);
