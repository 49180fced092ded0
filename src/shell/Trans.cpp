#include "Trans.h"

#include "IniFile.h"
#include "Messages.h"
#include "Paths.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <algorithm>
#include <memory>

QString LanguageName = QStringLiteral("English");
QStringList LanguageList;

namespace {

const QString MenuItemPrefix = QStringLiteral("miLang");
const QString LangFolder = QStringLiteral("Lang\\");
const QString LangExtension = QStringLiteral(".dic");
const char *const FrameProperty = "tolvanarFrame";

// Fonts the language files were made for, and the installed fonts that stand in for them.
const LanguageFont JapaneseFont{QStringLiteral("MS PGothic"), 9};
const LanguageFont WesternFont{QStringLiteral("MS Sans Serif"), 8};
const QStringList JapaneseStandIns{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("VL PGothic"),       QStringLiteral("Droid Sans Fallback"),
                                   QStringLiteral("DejaVu Sans"),      QStringLiteral("Sans Serif")};
const QStringList WesternStandIns{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                  QStringLiteral("Noto Sans"), QStringLiteral("FreeSans"),
                                  QStringLiteral("Sans Serif")};

QString &applicationTitle()
{
    static QString title = QStringLiteral("Tolvanar");
    return title;
}

std::unique_ptr<IniFile> &langFile()
{
    static std::unique_ptr<IniFile> file;
    return file;
}

bool fileLoaded() { return langFile() != nullptr; }

std::optional<QString> langValue(const QString &section, const QString &key)
{
    if (!langFile())
        return std::nullopt;
    return langFile()->Value(section, key);
}

// Qt's own inner widgets and unnamed objects have no keys.
bool translatable(const QObject *o)
{
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QTabWidget *tabWidgetOfPage(QWidget *w)
{
    auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(w) >= 0 ? tabs : nullptr;
}

// A plain panel: QFrame itself or a program class built on it, not one of Qt's framed widgets.
bool isPanel(QObject *o)
{
    if (!qobject_cast<QFrame *>(o))
        return false;
    const QMetaObject *meta = o->metaObject();
    return meta == &QFrame::staticMetaObject || !QByteArray(meta->className()).startsWith('Q');
}

bool enterChildren(QObject *o)
{
    if (IsFrame(o))
        return false;
    if (auto *w = qobject_cast<QWidget *>(o); w && w->isWindow() && !qobject_cast<QMenu *>(w))
        return false;
    return true;
}

void translateOwned(QObject *owner, const QString &section, EditTexts edits)
{
    for (QObject *child : owner->children()) {
        TranslateComponent(child, section, edits);
        if (enterChildren(child))
            translateOwned(child, section, edits);
    }
}

void installStandIns()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(JapaneseFont.name, JapaneseStandIns);
        QFont::insertSubstitutions(WesternFont.name, WesternStandIns);
        return true;
    }();
    (void)installed;
}

} // namespace

QString ApplicationTitle() { return applicationTitle(); }
void SetApplicationTitle(const QString &title) { applicationTitle() = title; }

void InitLanguage()
{
    langFile().reset();
    SetDefaultTexts();
}

QString LangFileName() { return langFile() ? langFile()->FileName() : QString(); }

bool LoadLanguageFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    langFile() = std::make_unique<IniFile>(path);
    const QString global = QStringLiteral("Global");
    for (int n = 1; n <= MessageCount; ++n)
        SetLangMsg(n, ReadLangString(LangMsg(n), global, QStringLiteral("m_%1").arg(n)));
    for (int n = 1; n <= FilterLabelCount; ++n)
        SetLangFilterLabel(n, ReadLangString(LangFilterLabel(n), global, QStringLiteral("f_%1").arg(n)));
    SetLangAppTitle(ReadLangString(ApplicationTitle(), global, QStringLiteral("AppTitle")));
    SetApplicationTitle(LangAppTitle());
    return true;
}

QString ReadLangString(const QString &current, const QString &section, const QString &key)
{
    return langValue(section, key).value_or(current);
}

QString LanguageFilePath(const QString &programFolder, const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return QString();
    const QString relative = LangFolder + name + LangExtension;
    const QString exact = SafePathUnder(programFolder, relative);
    if (exact.isEmpty() || QFileInfo(exact).isFile())
        return exact;
    // Language files may come from a system where names have no case.
    const QString found = FindTemplateFile(programFolder, relative);
    const QString base = WithSlash(programFolder);
    if (!found.isEmpty() && found.startsWith(base) && !SafePathUnder(base, found.mid(base.size())).isEmpty())
        return found;
    return exact;
}

QString LanguageFileMissingText(const QString &name)
{
    return LangMsg(68) + QStringLiteral("\n\r\n\r") + LangMsg(69) + QStringLiteral(" : ") + LangFolder + name
         + LangExtension;
}

QStringList ListLanguages(const QString &folder)
{
    QStringList names;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return names;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &fi : files) {
        const QString file = fi.fileName();
        if (file.size() > LangExtension.size() && file.endsWith(LangExtension, Qt::CaseInsensitive))
            names << file.left(file.size() - LangExtension.size());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

void MarkAsFrame(QWidget *frame) { frame->setProperty(FrameProperty, true); }

bool IsFrame(const QObject *object) { return object && object->property(FrameProperty).toBool(); }

void TranslateForm(QWidget *form, const QString &section, EditTexts edits)
{
    form->setWindowTitle(ReadLangString(form->windowTitle(), section, QStringLiteral("c_") + form->objectName()));
    if (fileLoaded())
        translateOwned(form, section, edits);
}

void TranslateFrame(QWidget *frame, const QString &section, EditTexts edits)
{
    if (fileLoaded())
        translateOwned(frame, section, edits);
}

void TranslateRadioGroupItems(QWidget *group, const QString &section)
{
    if (!fileLoaded())
        return;
    const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setText(ReadLangString(items[i]->text(), section,
                                         QStringLiteral("c_%1_%2").arg(group->objectName()).arg(i)));
}

void TranslateComponent(QObject *component, const QString &section, EditTexts edits)
{
    const bool editTexts = edits == EditTexts::Translate;
    if (!component || !translatable(component))
        return;
    using Setter = std::function<void(const QString &)>;
    Setter caption, hint;
    if (auto *button = qobject_cast<QAbstractButton *>(component)) {
        caption = [=](const QString &t) { button->setText(t); };
    } else if (auto *edit = qobject_cast<QLineEdit *>(component)) {
        if (editTexts)
            caption = [=](const QString &t) { edit->setText(t); };
    } else if (auto *label = qobject_cast<QLabel *>(component)) {
        if (label->pixmap().isNull()) // a label showing a picture takes only its hint
            caption = [=](const QString &t) { label->setText(t); };
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(component)) {
        if (editTexts)
            caption = [=](const QString &t) { memo->setPlainText(t); };
    } else if (auto *rich = qobject_cast<QTextEdit *>(component)) {
        if (editTexts)
            caption = [=](const QString &t) { rich->setPlainText(t); };
    } else if (auto *box = qobject_cast<QGroupBox *>(component)) {
        caption = [=](const QString &t) { box->setTitle(t); };
    } else if (auto *action = qobject_cast<QAction *>(component)) {
        caption = [=](const QString &t) { action->setText(t); };
        hint = [=](const QString &t) { action->setToolTip(t); };
    } else if (auto *menu = qobject_cast<QMenu *>(component)) {
        caption = [=](const QString &t) { menu->setTitle(t); };
        hint = [=](const QString &t) { menu->menuAction()->setToolTip(t); };
    } else if (auto *page = qobject_cast<QWidget *>(component); page && tabWidgetOfPage(page)) {
        QTabWidget *tabs = tabWidgetOfPage(page);
        caption = [=](const QString &t) { tabs->setTabText(tabs->indexOf(page), t); };
        hint = [=](const QString &t) { tabs->setTabToolTip(tabs->indexOf(page), t); };
    } else if (isPanel(component)) {
        static_cast<QFrame *>(component)->setAutoFillBackground(true);
    } else {
        return;
    }
    if (!hint)
        hint = [w = static_cast<QWidget *>(component)](const QString &t) { w->setToolTip(t); };
    if (const auto v = caption ? langValue(section, QStringLiteral("c_") + component->objectName()) : std::nullopt)
        caption(*v);
    if (const auto v = langValue(section, QStringLiteral("h_") + component->objectName()))
        hint(*v);
}

bool LoadAppImage(QLabel *image, const QString &programFolder, const QString &relative)
{
    const QString path = SafePathUnder(programFolder, relative);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QPixmap picture;
    if (!picture.load(path))
        return false;
    image->setPixmap(picture);
    return true;
}

LanguageFont LanguageFontFor(const QString &language)
{
    return language == QLatin1String("Japanese") ? JapaneseFont : WesternFont;
}

QFont LanguageQFont(const QString &language, QFont font)
{
    installStandIns();
    const LanguageFont lf = LanguageFontFor(language);
    font.setFamily(lf.name);
    font.setPointSize(lf.size);
    return font;
}

void ApplyLanguageFont(QWidget *widget, const QString &language)
{
    widget->setFont(LanguageQFont(language, widget->font()));
}

void TranslateOnCreate(QWidget *form, const QString &section)
{
    TranslateForm(form, section);
    ApplyLanguageFont(form, LanguageName);
}

QString LanguageMenuItemName(const QString &language) { return MenuItemPrefix + language; }

QString LanguageFromMenuItemName(const QString &objectName)
{
    return objectName.startsWith(MenuItemPrefix) ? objectName.mid(MenuItemPrefix.size()) : objectName;
}

QList<QAction *> BuildLanguageMenu(QMenu *menu, const QStringList &list,
                                   const std::function<void(QAction *)> &onChoose)
{
    const QStringList names = list.isEmpty() ? QStringList{QStringLiteral("English")} : list;
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    QList<QAction *> items;
    for (const QString &name : names) {
        auto *item = new QAction(name, menu);
        item->setObjectName(LanguageMenuItemName(name));
        item->setCheckable(true);
        group->addAction(item);
        menu->addAction(item);
        if (onChoose)
            QObject::connect(item, &QAction::triggered, item, [item, onChoose] { onChoose(item); });
        items << item;
    }
    if (!menu->actions().isEmpty() && menu->actions().first()->isCheckable())
        menu->actions().first()->setChecked(true);
    return items;
}

void CheckCurrentLanguageItem(QObject *root)
{
    const QString wanted = LanguageMenuItemName(LanguageName);
    for (QAction *item : root->findChildren<QAction *>())
        if (item->isCheckable() && item->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            item->setChecked(true);
            return;
        }
}

bool ApplyLanguage(const QString &programFolder, const LanguageWindowHooks &hooks)
{
    const bool wasModified = hooks.modified ? hooks.modified() : false;
    if (!LoadLanguageFile(LanguageFilePath(programFolder, LanguageName))) {
        ShowMsgBox(LanguageFileMissingText(LanguageName), mtWarning, mbOK);
        return false;
    }
    // A language switch never marks the project modified, also when the window's part fails.
    struct Restore {
        const LanguageWindowHooks &hooks;
        bool modified;
        ~Restore()
        {
            if (hooks.setModified)
                hooks.setModified(modified);
        }
    } restore{hooks, wasModified};
    if (hooks.applyToWindow)
        hooks.applyToWindow();
    return true;
}

bool SelectLanguage(const QString &programFolder, const QAction *item, QObject *root,
                    const LanguageWindowHooks &hooks)
{
    LanguageName = LanguageFromMenuItemName(item->objectName());
    const bool loaded = ApplyLanguage(programFolder, hooks);
    CheckCurrentLanguageItem(root);
    return loaded;
}
