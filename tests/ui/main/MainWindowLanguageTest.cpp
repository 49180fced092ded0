// The main window's Language menu: a switch to another language and back to English.
#include "IniFile.h"
#include "Messages.h"
#include "TestSupport.h"
#include "Trans.h"
#include "uMain.h"

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
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Texts = QMap<QString, QString>;

// The captions and hints of the window's own controls and the texts of its edits, keyed as a
// language file keys them. The texts the window builds itself (the language items, the menu
// toolbar, the recent projects) are left out.
void CollectTexts(QObject *owner, const QString &section, Texts &texts)
{
    for (QObject *o : owner->children()) {
        const QString name = o->objectName();
        const bool dynamic = name.isEmpty() || name.startsWith("qt_") || name.startsWith("miLang")
                          || name.startsWith("Msmi_") || owner->objectName() == "tbrMenus"
                          || owner->objectName() == "miRecent"
                          || name == "pnlXYShows" || name == "lblMenuSpacing";  // read-outs
        if (!dynamic) {
            QString caption, hint;
            bool hasCaption = true;
            if (auto *b = qobject_cast<QAbstractButton *>(o))
                caption = b->text(), hint = b->toolTip();
            else if (auto *l = qobject_cast<QLabel *>(o); l && l->pixmap().isNull())
                caption = l->text(), hint = l->toolTip();
            else if (auto *g = qobject_cast<QGroupBox *>(o))
                caption = g->title(), hint = g->toolTip();
            else if (auto *a = qobject_cast<QAction *>(o))
                caption = a->text(), hint = a->toolTip();
            else if (auto *m = qobject_cast<QMenu *>(o))
                caption = m->title(), hint = m->menuAction()->toolTip();
            else if (auto *e = qobject_cast<QLineEdit *>(o))
                caption = e->text(), hint = e->toolTip();
            else if (auto *e = qobject_cast<QPlainTextEdit *>(o))
                caption = e->toPlainText(), hint = e->toolTip();
            else
                hasCaption = false;
            if (auto *w = qobject_cast<QWidget *>(o); !hasCaption && w) {
                auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
                auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
                if (tabs && tabs->indexOf(w) >= 0) {
                    caption = tabs->tabText(tabs->indexOf(w));
                    hasCaption = true;
                }
            }
            if (hasCaption && !caption.isEmpty())
                texts[section + "/c_" + name] = caption;
            // An action's or a menu's tooltip defaults to its caption.
            if (hasCaption && !hint.isEmpty() && !qobject_cast<QAction *>(o) && !qobject_cast<QMenu *>(o))
                texts[section + "/h_" + name] = hint;
        }
        auto *w = qobject_cast<QWidget *>(o);
        if (name == "fraLogoImage" || name == "fraBackgroundSound")
            CollectTexts(o, "frmMain." + name, texts);
        else if (!IsFrame(o) && !(w && w->isWindow() && !qobject_cast<QMenu *>(w)))
            CollectTexts(o, section, texts);
    }
}

// What a user typed: every edit that is empty gets a text of its own.
void TypeIntoEdits(TfrmMain &w)
{
    for (QLineEdit *e : w.findChildren<QLineEdit *>())
        if (!e->objectName().isEmpty() && !e->objectName().startsWith("qt_") && e->text().isEmpty())
            e->setText("typed " + e->objectName());
    w.memoDescription->setPlainText("typed description");
}

Texts WindowTexts(TfrmMain &w)
{
    Texts texts;
    CollectTexts(&w, "frmMain", texts);
    const QList<QWidget *> groups{w.rgrMenuType, w.rgTextAlign};
    for (QWidget *group : groups) {
        const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
        for (int i = 0; i < items.size(); ++i)
            texts[QString("frmMain/c_%1_%2").arg(group->objectName()).arg(i)] = items[i]->text();
    }
    return texts;
}

class MainWindowLanguage : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        CopyTree(ShippedDataDir() + "Lang", prog.file("Lang"));
        for (const char *folder : {"MenuPreview/flashmenu", "Templates/Preview/flashmenu"})
            QDir().mkpath(prog.file(folder));
    }
    void TearDown() override
    {
        LanguageName = "English";
        InitLanguage();
    }
    TempFolder prog;
    ScriptedMessageBox box;
};

} // namespace

TEST_F(MainWindowLanguage, SwitchingBackToEnglishRestoresEveryCaptionAndHint)
{
    TfrmMain w(prog.path());
    TypeIntoEdits(w);
    const Texts english = WindowTexts(w);
    ASSERT_TRUE(english.contains("frmMain/c_miFile"));
    ASSERT_TRUE(english.contains("frmMain/c_a_New"));
    ASSERT_TRUE(english.contains("frmMain/h_tbNew"));
    ASSERT_TRUE(english.contains("frmMain/c_tabFlashOptions"));
    ASSERT_EQ(english.value("frmMain/c_edtTitle"), "typed edtTitle");
    ASSERT_FALSE(english.value("frmMain.fraLogoImage/c_edFileName").isEmpty());

    // Another language that translates every one of them.
    QByteArray dic;
    QString section;
    for (auto it = english.begin(); it != english.end(); ++it) {
        const QString keySection = it.key().section('/', 0, 0);
        if (keySection != section)
            dic += ("[" + (section = keySection) + "]\r\n").toUtf8();
        dic += (it.key().section('/', 1) + "=DE " + it.value() + "\r\n").toUtf8();
    }
    prog.write("Lang/Deutsch.dic", dic);
    TfrmMain other(prog.path());  // lists the new file in its Language menu
    TypeIntoEdits(other);
    other.Design().SetModified(false);
    auto *deutsch = other.findChild<QAction *>("miLangDeutsch");
    auto *englishItem = other.findChild<QAction *>("miLangEnglish");
    ASSERT_TRUE(deutsch && englishItem);

    deutsch->trigger();
    const Texts german = WindowTexts(other);
    EXPECT_EQ(german.value("frmMain/c_miFile"), "DE " + english.value("frmMain/c_miFile"));
    EXPECT_EQ(german.value("frmMain/h_tbNew"), "DE " + english.value("frmMain/h_tbNew"));
    // What the user typed stays, in the edits and in the design, and nothing waits to be saved.
    for (const QString &key : QStringList{"frmMain/c_edtTitle", "frmMain/c_edtBaseline", "frmMain.fraLogoImage/c_edFileName",
                               "frmMain/c_editTitle", "frmMain/c_editKey1", "frmMain/c_memoDescription"})
        EXPECT_EQ(german.value(key), english.value(key)) << key.toStdString();
    EXPECT_EQ(other.Design().FTitleOptions.Text, "typed edtTitle");
    EXPECT_FALSE(other.Design().IsModified());

    englishItem->trigger();
    EXPECT_EQ(LanguageName, "English");
    const Texts back = WindowTexts(other);
    QStringList wrong;
    for (auto it = english.begin(); it != english.end(); ++it)
        if (back.value(it.key()) != it.value())
            wrong << it.key() + "=" + back.value(it.key());
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join("\n").toStdString();
    EXPECT_TRUE(box.shown().isEmpty()) << box.texts().join("\n").toStdString();
}

TEST_F(MainWindowLanguage, TheLanguagesAppTitleNamesTheProgramToTheDesktop)
{
    const QString title = ApplicationTitle();
    prog.write("Lang/Deutsch.dic", "[Global]\r\nAppTitle=Tolvanar auf Deutsch\r\n");
    TfrmMain w(prog.path());
    EXPECT_EQ(w.windowIconText(), "Tolvanar");
    w.findChild<QAction *>("miLangDeutsch")->trigger();
    EXPECT_EQ(w.windowIconText(), "Tolvanar auf Deutsch");
    EXPECT_EQ(w.windowTitle().left(8), "Tolvanar");  // the caption keeps the product's name
    SetApplicationTitle(title);
}

TEST_F(MainWindowLanguage, InstallTemplateCarriesItsHint)
{
    TfrmMain w(prog.path());
    EXPECT_EQ(w.findChild<QToolButton *>("tbInstallTemplate")->toolTip(), "Install Template");
    EXPECT_EQ(w.findChild<QAction *>("a_InstallTemplate")->toolTip(), "Install Template");
}

TEST_F(MainWindowLanguage, TheVerticalLayoutKeepsItsButtonSizeNamesThroughASwitch)
{
    prog.write("Lang/Deutsch.dic", "[frmMain]\r\nc_rgrButtonSize_0=Fest\r\nc_rgrButtonSize_1=Variabel\r\n");
    TfrmMain w(prog.path());
    w.SetOrientation(false);
    const auto items = [&w] {
        QStringList texts;
        for (QRadioButton *b : w.rgrButtonSize->findChildren<QRadioButton *>())
            texts << b->text();
        return texts;
    };
    QTRY_COMPARE(items(), (QStringList{LangMsg(102), LangMsg(103)}));
    w.findChild<QAction *>("miLangDeutsch")->trigger();
    EXPECT_EQ(items(), (QStringList{LangMsg(102), LangMsg(103)}));
    w.findChild<QAction *>("miLangEnglish")->trigger();
    EXPECT_EQ(items(), (QStringList{"Fit Menu Width", "Fit Button Text"}));
}
