// The shipped English language file as a translator's starting point: a section for every window and
// frame that translates itself, naming only controls that are there and every caption, hint and
// radio item a user can see; and loading it changes no text.
#include "GalleryTestSupport.h"
#include "IniFile.h"
#include "Messages.h"
#include "Trans.h"
#include "uAbout.h"
#include "uAddEditMenu.h"
#include "uBackgroundStyle.h"
#include "uIconLinkListPopup.h"
#include "uIconLinkOptions.h"
#include "fra_MenuButtonShortList.h"
#include "uMain.h"
#include "uMenuItemEditor.h"
#include "uMenuStyle.h"
#include "uMenuTextOptions.h"
#include "uOptions.h"
#include "uPresetDesign.h"
#include "uProgramStart.h"
#include "uPublishSettings.h"
#include "uSelectMenuType.h"
#include "uTextOptions.h"
#include "uWizard.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

using Texts = QMap<QString, QString>;  // "section/key" -> the text it stands for

// One translated window: its section, the frames with sections of their own (by the frame's name),
// the radio groups whose items are translated, the controls whose texts the program writes itself
// (no translator needs a key for them) and the texts it writes anew once it is translated.
struct Window {
    QString section;
    std::function<std::unique_ptr<QWidget>()> make;
    QMap<QString, QString> frameSections = {};
    QStringList itemGroups = {};
    std::function<bool(const QObject *)> programWritten = [](const QObject *) { return false; };
    QStringList rewritten = {};
};

// A menu's or an action's tooltip is its caption unless a hint of its own was given.
QString OwnHint(const QString &tip, QString caption)
{
    caption.remove(QStringLiteral("..."));
    caption.remove(QLatin1Char('&'));
    return tip == caption.trimmed() ? QString() : tip;
}

bool IsPlainPanel(const QObject *o)
{
    if (!qobject_cast<const QFrame *>(o))
        return false;
    const QMetaObject *meta = o->metaObject();
    return meta == &QFrame::staticMetaObject || !QByteArray(meta->className()).startsWith('Q');
}

// The caption and hint a language file can give the object; edits hold the user's data and take
// only a hint.
void Record(const QObject *o, const QString &section, Texts &texts)
{
    QString caption, hint;
    if (auto *b = qobject_cast<const QAbstractButton *>(o))
        caption = b->text(), hint = b->toolTip();
    else if (qobject_cast<const QLineEdit *>(o) || qobject_cast<const QPlainTextEdit *>(o)
             || qobject_cast<const QTextEdit *>(o))
        hint = static_cast<const QWidget *>(o)->toolTip();
    else if (auto *l = qobject_cast<const QLabel *>(o))
        caption = l->pixmap().isNull() ? l->text() : QString(), hint = l->toolTip();
    else if (auto *g = qobject_cast<const QGroupBox *>(o))
        caption = g->title(), hint = g->toolTip();
    else if (auto *a = qobject_cast<const QAction *>(o))
        caption = a->text(), hint = OwnHint(a->toolTip(), a->text());
    else if (auto *m = qobject_cast<const QMenu *>(o))
        caption = m->title(), hint = OwnHint(m->menuAction()->toolTip(), m->title());
    else if (auto *w = qobject_cast<const QWidget *>(o); w && qobject_cast<QStackedWidget *>(w->parentWidget())
                                                         && qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget())) {
        auto *tabs = static_cast<QTabWidget *>(w->parentWidget()->parentWidget());
        caption = tabs->tabText(tabs->indexOf(const_cast<QWidget *>(w)));
        hint = tabs->tabToolTip(tabs->indexOf(const_cast<QWidget *>(w)));
    } else if (IsPlainPanel(o))
        hint = static_cast<const QWidget *>(o)->toolTip();
    if (!caption.isEmpty())
        texts[section + "/c_" + o->objectName()] = caption;
    if (!hint.isEmpty())
        texts[section + "/h_" + o->objectName()] = hint;
}

void Collect(const QObject *owner, const QString &section, const Window &window, Texts &texts)
{
    for (const QObject *child : owner->children()) {
        const QString name = child->objectName();
        if (window.programWritten(child))
            continue;
        if (!name.isEmpty() && !name.startsWith("qt_"))
            Record(child, section, texts);
        auto *w = qobject_cast<const QWidget *>(child);
        if (window.frameSections.contains(name))
            Collect(child, window.frameSections.value(name), window, texts);
        else if (!IsFrame(child) && !(w && w->isWindow() && !qobject_cast<const QMenu *>(w)))
            Collect(child, section, window, texts);
    }
}

Texts WindowTexts(const Window &window, QWidget &form)
{
    Texts texts;
    texts[window.section + "/c_" + form.objectName()] = form.windowTitle();
    Collect(&form, window.section, window, texts);
    for (const QString &group : window.itemGroups) {
        const QList<QRadioButton *> items = form.findChild<QWidget *>(group)->findChildren<QRadioButton *>();
        for (int i = 0; i < items.size(); ++i)
            texts[QString("%1/c_%2_%3").arg(window.section, group).arg(i)] = items[i]->text();
    }
    return texts;
}

struct MenuTypeHost : IMenuTypeHost {
    bool IsHorizontal() const override { return true; }
    void SetOrientation(bool) override {}
    bool RunPresetGallery(const QString &, bool &) override { return false; }
};

class ShippedLanguageWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        InitLanguage();
        LanguageName = "English";
        CopyShippedTemplatesTo(prog);
        previousProbe = SetFlashPlayerProbe([] { return true; });
    }
    void TearDown() override
    {
        SetFlashPlayerProbe(previousProbe);
        InitLanguage();
    }

    QList<Window> Windows()
    {
        const QString folder = prog.path();
        const TGallerySetup setup{folder, true, &options, {}};
        // With the short list's tiles, as the window has them once it is shown.
        auto main = [](const QString &programFolder) {
            auto w = std::make_unique<TfrmMain>(programFolder);
            w->fraMenuButtonShortList1->LoadButtons({});
            return w;
        };
        // The text dialogs caption these two from the message table.
        auto boldItalic = [](const QObject *o) { return o->objectName() == "chbIsBolded" || o->objectName() == "chbIsItalic"; };
        return {
            {"frmMain", [=] { return main(folder); },
             {{"fraLogoImage", "frmMain.fraLogoImage"},
              {"fraBackgroundSound", "frmMain.fraBackgroundSound"},
              {"fraMenuButtonShortList1", "frmMain.fraMenuButtonShortList1"}},
             {"rgrButtonSize", "rgrMenuType", "rgTextAlign"},
             [](const QObject *o) {
                 // The Language items, the menu toolbar, the recent projects and the read-outs.
                 const QString name = o->objectName();
                 return name.startsWith("miLang") || name.startsWith("Msmi_") || name == "pnlXYShows"
                     || name == "lblMenuSpacing" || (o->parent() && (o->parent()->objectName() == "tbrMenus"
                                                                     || o->parent()->objectName() == "miRecent"));
             },
             {"frmMain/c_frmMain", "frmMain/c_tbInstallTemplate"}},
            {"frmAbout", [=] { return std::make_unique<TfrmAbout>(folder, "English", QStringList()); }},
            {"frmCreateMenuItem", [] { return std::make_unique<TfrmCreateMenuItem>(); }},
            {"frmEditMenu", [] { return std::make_unique<TfrmEditMenu>(); }},
            {"frmIconLinkListPopup", [=] { return std::make_unique<TfrmIconLinkListPopup>(folder); }},
            {"frmIconLinkOptions", [=] { return std::make_unique<TfrmIconLinkOptions>(folder); },
             {{"fraIconLinkParam", "frmIconLinkOptions.fraIconLinkParam"}}},
            {"frmMenuBackgoundStyle", [=] { return std::make_unique<TfrmMenuBackgoundStyle>(setup); }},
            {"frmMenuStyle", [=] { return std::make_unique<TfrmMenuStyle>(setup); }, {}, {"rgrMenuType"}},
            {"frmMenuTextOptions", [] { return std::make_unique<TfrmMenuTextOptions>(); }, {}, {}, boldItalic},
            {"frmOptions", [=] { return std::make_unique<TfrmOptions>(folder, "English"); }},
            {"frmPresentDesign", [=] { return std::make_unique<TfrmPresetDesign>(folder + "Templates/", true); }},
            {"frmPublishSettings", [] { return std::make_unique<TfrmPublishSettings>(true); }, {},
             {"rgrPublishSettings"}},
            {"frmSelectMenuType", [=, this] { return std::make_unique<TfrmSelectMenuType>(host, folder + "Templates/", false); },
             {}, {"rgMenuType"}},
            {"frmTextOptions", [] { return std::make_unique<TfrmTextOptions>(); }, {}, {}, boldItalic},
            {"frmWizard", [=] { return std::make_unique<TfrmWizard>(folder, "English", QStringList()); }},
        };
    }

    TempFolder prog;
    TOptions options;
    MenuTypeHost host;
    FakeBrowserPanes panes;
    ScriptedMessageBox box;
    FlashPlayerProbe previousProbe;
};

} // namespace

TEST_F(ShippedLanguageWindows, EnglishHasASectionForEveryWindowWithEveryTextAndChangesNone)
{
    const QByteArray english = ReadFileBytes(ShippedDataDir() + "Lang/English.dic");
    const IniFile file(ShippedDataDir() + "Lang/English.dic");
    const QList<Window> windows = Windows();
    QStringList sections;
    for (const Window &window : windows) {
        sections << window.section;
        for (const QString &frame : window.frameSections)
            sections << frame;
    }
    QStringList unknownSections;
    for (const QString &section : file.ReadSections())
        if (section != "Global" && !sections.contains(section))
            unknownSections << section;
    EXPECT_TRUE(unknownSections.isEmpty()) << unknownSections.join(", ").toStdString();

    // A translator's copy: every text of every window prefixed.
    QByteArray translation;
    bool inWindow = false;
    for (const QByteArray &line : english.split('\n')) {
        if (line.startsWith('['))
            inWindow = !line.startsWith("[Global]");
        const int equals = line.indexOf('=');
        translation += inWindow && equals > 0 ? line.left(equals + 1) + "T " + line.mid(equals + 1) : line;
        translation += '\n';
    }

    for (const Window &window : windows) {
        SCOPED_TRACE(window.section.toStdString());
        // The window as made with the language file given, or none.
        auto textsWith = [&](const QByteArray &dic) {
            InitLanguage();
            if (!dic.isEmpty()) {
                prog.write("Lang/English.dic", dic);
                EXPECT_TRUE(LoadLanguageFile(prog.file("Lang/English.dic")));
            }
            const Texts texts = WindowTexts(window, *window.make());
            QDir(prog.file("Lang")).removeRecursively();
            return texts;
        };
        const Texts builtIn = textsWith({});

        // Every key names a control of its window or frame, and every text the window shows has its key.
        QStringList sectionsOfWindow{window.section};
        sectionsOfWindow << window.frameSections.values();
        QStringList stray, missing;
        for (const QString &section : sectionsOfWindow) {
            EXPECT_TRUE(file.SectionExists(section)) << section.toStdString();
            for (const QString &key : file.ReadSection(section))
                if (!builtIn.contains(section + "/" + key))
                    stray << section + "/" + key;
        }
        for (auto it = builtIn.begin(); it != builtIn.end(); ++it)
            if (!file.ValueExists(it.key().section('/', 0, 0), it.key().section('/', 1)))
                missing << it.key() + "=" + it.value();
        EXPECT_TRUE(stray.isEmpty()) << "keys of no control:\n" << stray.join("\n").toStdString();
        EXPECT_TRUE(missing.isEmpty()) << "texts without a key:\n" << missing.join("\n").toStdString();

        // The English file changes no text; the translated copy reaches every one.
        const Texts loaded = textsWith(english), translated = textsWith(translation);
        QStringList changed, untranslated;
        for (auto it = builtIn.begin(); it != builtIn.end(); ++it) {
            if (window.rewritten.contains(it.key()))
                continue;
            if (loaded.value(it.key()) != it.value())
                changed << it.key() + ": " + it.value() + " -> " + loaded.value(it.key());
            if (translated.value(it.key()) != "T " + it.value())
                untranslated << it.key() + ": " + translated.value(it.key());
        }
        EXPECT_TRUE(changed.isEmpty()) << changed.join("\n").toStdString();
        EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join("\n").toStdString();
    }
}
