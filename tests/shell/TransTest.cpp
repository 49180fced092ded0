#include "Messages.h"
#include "TestSupport.h"
#include "TextEncoding.h"
#include "Trans.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const QString FrenchText = QStringLiteral(
    "; a language file\r\n"
    "[Global]\r\n"
    "AppTitle=Tolvanar en fran\u00e7ais\r\n"
    "m_32=Le projet n'est pas enregistr\u00e9. Enregistrer ?\r\n"
    "m_33=Nouveau\r\n"
    "f_5=Projets Tolvanar\r\n"
    "\r\n"
    "[frmTest]\r\n"
    "c_frmTest=Formulaire d'essai\r\n"
    "c_btnOK=D'accord\r\n"
    "h_btnOK=Valide la saisie\r\n"
    "c_lblName=Nom\r\n"
    "c_lblEmpty=\r\n"
    "c_imgPic=ignor\u00e9\r\n"
    "h_imgPic=Une image\r\n"
    "c_edtName=texte\r\n"
    "c_memNotes=premi\u00e8re ligne\r\n"
    "c_chbFlag=Drapeau\r\n"
    "c_rgrSize=Taille\r\n"
    "c_rgrSize_0=Petit\r\n"
    "c_rgrSize_1=Grand\r\n"
    "c_rgrSize_2=de trop\r\n"
    "c_tabDesign=Conception\r\n"
    "h_tabDesign=La page\r\n"
    "c_a_Save=Enregistrer\r\n"
    "h_a_Save=Enregistre le projet\r\n"
    "c_miOptions=R\u00e9glages\r\n"
    "h_panTools=Outils\r\n"
    "c_btnOpen=pas ici\r\n"
    "c_btnInner=pas ici\r\n"
    "\r\n"
    "[frmTest.fraLogo]\r\n"
    "c_lblLogo=Logo en fran\u00e7ais\r\n"
    "c_btnOpen=Ouvrir\r\n");

// A small form with one control of each kind, a frame, a tab page, a menu and a child dialog.
struct TestForm {
    QDialog form;
    QPushButton *btnOK, *btnOpen, *btnInner;
    QLabel *lblName, *lblEmpty, *imgPic, *lblLogo;
    QLineEdit *edtName;
    QPlainTextEdit *memNotes;
    QCheckBox *chbFlag;
    QGroupBox *rgrSize;
    QRadioButton *item0, *item1;
    QTabWidget *pcMain;
    QWidget *tabDesign, *fraLogo;
    QFrame *panTools;
    QAction *aSave;
    QMenu *miOptions;
    QDialog *child;

    template <typename T> T *make(QWidget *parent, const char *name, const QString &text = {})
    {
        auto *w = new T(parent);
        w->setObjectName(QString::fromLatin1(name));
        if constexpr (requires { w->setText(text); })
            w->setText(text);
        return w;
    }

    TestForm()
    {
        form.setObjectName("frmTest");
        form.setWindowTitle("Test form");
        btnOK = make<QPushButton>(&form, "btnOK", "OK");
        lblName = make<QLabel>(&form, "lblName", "Name");
        lblEmpty = make<QLabel>(&form, "lblEmpty", "Not empty");
        imgPic = make<QLabel>(&form, "imgPic");
        QPixmap picture(4, 4);
        picture.fill(Qt::red);
        imgPic->setPixmap(picture);
        edtName = make<QLineEdit>(&form, "edtName", "x");
        memNotes = make<QPlainTextEdit>(&form, "memNotes");
        memNotes->setPlainText("line one\nline two");
        chbFlag = make<QCheckBox>(&form, "chbFlag", "Flag");
        rgrSize = make<QGroupBox>(&form, "rgrSize");
        rgrSize->setTitle("Size");
        auto *layout = new QVBoxLayout(rgrSize);
        item0 = new QRadioButton("Small", rgrSize);
        item1 = new QRadioButton("Large", rgrSize);
        layout->addWidget(item0);
        layout->addWidget(item1);
        pcMain = make<QTabWidget>(&form, "pcMain");
        tabDesign = make<QWidget>(nullptr, "tabDesign");
        pcMain->addTab(tabDesign, "Design");
        panTools = make<QFrame>(&form, "panTools");
        aSave = new QAction("Save", &form);
        aSave->setObjectName("a_Save");
        auto *bar = new QMenuBar(&form);
        miOptions = bar->addMenu("Options");
        miOptions->setObjectName("miOptions");
        fraLogo = make<QWidget>(&form, "fraLogo");
        MarkAsFrame(fraLogo);
        lblLogo = make<QLabel>(fraLogo, "lblLogo", "Logo");
        btnOpen = make<QPushButton>(fraLogo, "btnOpen", "Open");
        child = new QDialog(&form);
        child->setObjectName("frmChild");
        btnInner = make<QPushButton>(child, "btnInner", "Inner");
    }

    void translate()
    {
        TranslateForm(&form, "frmTest");
        TranslateFrame(fraLogo, "frmTest.fraLogo");
        TranslateRadioGroupItems(rgrSize, "frmTest");
    }
};

struct Language : testing::Test {
    TempFolder app;
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        InitLanguage();
        LanguageName = "English";
        SetApplicationTitle("Tolvanar");
        SetLangAppTitle("");
    }
    void writeLanguage(const QString &name, const QString &text, TextEncoding encoding = TextEncoding::Utf8)
    {
        QByteArray bytes;
        ASSERT_TRUE(EncodeText(text, encoding, bytes));
        app.write("Lang/" + name + ".dic", bytes);
    }
    QString langFile(const QString &name) const { return app.file("Lang/" + name + ".dic"); }
};

struct LanguageEncodings : Language, testing::WithParamInterface<TextEncoding> {};

} // namespace

TEST_P(LanguageEncodings, AFileInAnyEncodingTranslatesMessagesAndAForm)
{
    writeLanguage("French", FrenchText, GetParam());
    ASSERT_TRUE(LoadLanguageFile(langFile("French")));
    EXPECT_EQ(LangFileName(), langFile("French"));
    EXPECT_EQ(LangMsg(32), QStringLiteral("Le projet n'est pas enregistr\u00e9. Enregistrer ?"));
    EXPECT_EQ(LangMsg(33), "Nouveau");
    EXPECT_EQ(LangMsg(7), "Main Menu Normal"); // not in the file
    EXPECT_EQ(LangFilterLabel(5), "Projets Tolvanar");
    EXPECT_EQ(LangFilterLabel(1), "Flash File");
    EXPECT_EQ(LangAppTitle(), QStringLiteral("Tolvanar en fran\u00e7ais"));
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("Tolvanar en fran\u00e7ais"));

    TestForm f;
    f.translate();
    EXPECT_EQ(f.form.windowTitle(), "Formulaire d'essai");
    EXPECT_EQ(f.btnOK->text(), "D'accord");
    EXPECT_EQ(f.btnOK->toolTip(), "Valide la saisie");
    EXPECT_EQ(f.lblName->text(), "Nom");
    EXPECT_EQ(f.lblEmpty->text(), ""); // present and empty
    EXPECT_EQ(f.imgPic->text(), "");   // a picture takes only its hint
    EXPECT_FALSE(f.imgPic->pixmap().isNull());
    EXPECT_EQ(f.imgPic->toolTip(), "Une image");
    EXPECT_EQ(f.edtName->text(), "texte");
    EXPECT_EQ(f.memNotes->toPlainText(), QStringLiteral("premi\u00e8re ligne"));
    EXPECT_EQ(f.chbFlag->text(), "Drapeau");
    EXPECT_EQ(f.rgrSize->title(), "Taille");
    EXPECT_EQ(f.item0->text(), "Petit");
    EXPECT_EQ(f.item1->text(), "Grand");
    EXPECT_EQ(f.pcMain->tabText(0), "Conception");
    EXPECT_EQ(f.pcMain->tabToolTip(0), "La page");
    EXPECT_EQ(f.aSave->text(), "Enregistrer");
    EXPECT_EQ(f.aSave->toolTip(), "Enregistre le projet");
    EXPECT_EQ(f.miOptions->title(), QStringLiteral("R\u00e9glages"));
    EXPECT_EQ(f.panTools->toolTip(), "Outils");
    EXPECT_TRUE(f.panTools->autoFillBackground());
    // The frame takes its own section only; the child dialog is a form of its own.
    EXPECT_EQ(f.lblLogo->text(), QStringLiteral("Logo en fran\u00e7ais"));
    EXPECT_EQ(f.btnOpen->text(), "Ouvrir");
    EXPECT_EQ(f.btnInner->text(), "Inner");
}

INSTANTIATE_TEST_SUITE_P(Encodings, LanguageEncodings,
                         testing::Values(TextEncoding::Utf16LE, TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                         TextEncoding::Windows1252),
                         [](const testing::TestParamInfo<TextEncoding> &info) {
                             switch (info.param) {
                             case TextEncoding::Utf16LE: return std::string("Utf16LE");
                             case TextEncoding::Utf8: return std::string("Utf8");
                             case TextEncoding::Utf8Bom: return std::string("Utf8Bom");
                             case TextEncoding::Windows1252: return std::string("Windows1252");
                             default: return std::string("Other");
                             }
                         });

TEST_F(Language, AKeyMissingFromTheNextFileKeepsTheTextOfTheFileBefore)
{
    writeLanguage("French", FrenchText);
    writeLanguage("Second", QStringLiteral("[Global]\nm_33=Zweite\n[frmTest]\nc_btnOK=Gut\n[frmTest.fraLogo]\nc_btnOpen=\u00d6ffnen\n"),
                  TextEncoding::Utf16LE);
    TestForm f;
    ASSERT_TRUE(LoadLanguageFile(langFile("French")));
    f.translate();
    ASSERT_TRUE(LoadLanguageFile(langFile("Second")));
    f.translate();
    EXPECT_EQ(LangMsg(32), QStringLiteral("Le projet n'est pas enregistr\u00e9. Enregistrer ?"));
    EXPECT_EQ(LangMsg(33), "Zweite");
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("Tolvanar en fran\u00e7ais"));
    EXPECT_EQ(f.form.windowTitle(), "Formulaire d'essai");
    EXPECT_EQ(f.btnOK->text(), "Gut");
    EXPECT_EQ(f.lblName->text(), "Nom");
    EXPECT_EQ(f.item0->text(), "Petit");
    EXPECT_EQ(f.btnOpen->text(), QStringLiteral("\u00d6ffnen"));

    // A file that is not there changes nothing.
    EXPECT_FALSE(LoadLanguageFile(langFile("Missing")));
    EXPECT_FALSE(LoadLanguageFile(app.file("Lang")));
    EXPECT_EQ(LangFileName(), langFile("Second"));
    EXPECT_EQ(LangMsg(33), "Zweite");
}

TEST_F(Language, WithoutAFileOnlyTheFormTitleIsLookedUpAndStays)
{
    TestForm f;
    f.translate();
    EXPECT_EQ(LangFileName(), "");
    EXPECT_EQ(f.form.windowTitle(), "Test form");
    EXPECT_EQ(f.btnOK->text(), "OK");
    EXPECT_FALSE(f.panTools->autoFillBackground());
    EXPECT_EQ(ReadLangString("current", "Global", "m_1"), "current");
    EXPECT_EQ(LangMsg(1), "Edit Menu Item");
}

TEST_F(Language, GarbageFilesLoadWithoutHarmAndChangeNoText)
{
    QByteArray garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.append(char((i * 7919 + i / 13) & 0xff));
    garbage += "\n[\n]\n=\n[frmTest\nc_btnOK\n==x\n[]]]\n\0\0\xff\xfe";
    TestForm f;
    for (const QByteArray &bytes : {garbage, QByteArray("\xff\xfe"), QByteArray("\xff\xfe[\0G\0", 6),
                                    QByteArray(1000, '\0')}) {
        app.write("Lang/Bad.dic", bytes);
        ASSERT_TRUE(LoadLanguageFile(langFile("Bad")));
        f.translate();
        EXPECT_EQ(LangMsg(32), "Project has not saved. Save now?");
        EXPECT_EQ(f.btnOK->text(), "OK");
        EXPECT_EQ(f.form.windowTitle(), "Test form");
    }
}

TEST_F(Language, LanguageNamesThatLeaveTheLangFolderAreRefused)
{
    app.write("secret.dic", "[Global]\nm_32=stolen\n");
    app.write("Lang/sub/French.dic", "[Global]\nm_32=nested\n");
    for (const char *name : {"..\\secret", "../secret", "sub\\French", "sub/French", "", "/etc/x"})
        EXPECT_EQ(LanguageFilePath(app.path(), QString::fromLatin1(name)), "") << name;

    ScriptedMessageBox box;
    LanguageName = "..\\secret";
    int applied = 0;
    EXPECT_FALSE(ApplyLanguage(app.path(), {{}, {}, [&] { ++applied; }}));
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(LangMsg(32), "Project has not saved. Save now?");
    EXPECT_EQ(LangFileName(), "");
    EXPECT_EQ(box.texts(), QStringList{"Unable to change language.\n\r\n\rFile not found : Lang\\..\\secret.dic"});
}

TEST_F(Language, ApplyLanguageLoadsTheNamedFileAndKeepsTheModifiedFlag)
{
    writeLanguage("French", FrenchText);
    ScriptedMessageBox box;
    for (bool modified : {false, true}) {
        bool flag = modified;
        int applied = 0;
        LanguageName = "French";
        const LanguageWindowHooks hooks{[&] { return flag; }, [&](bool m) { flag = m; },
                                        [&] { ++applied; flag = !modified; }};
        EXPECT_TRUE(ApplyLanguage(app.path(), hooks));
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(flag, modified);
    }
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_EQ(LangMsg(33), "Nouveau");

    // A name spelled in another case still finds its file.
    InitLanguage();
    LanguageName = "french";
    EXPECT_TRUE(ApplyLanguage(app.path(), {}));
    EXPECT_EQ(LangMsg(33), "Nouveau");
}

TEST_F(Language, AMissingFileWarnsInTheCurrentLanguageAndChangesNothing)
{
    writeLanguage("French", "[Global]\nm_68=Impossible de changer de langue.\nm_69=Fichier introuvable\nm_33=Nouveau\n");
    LanguageName = "French";
    ASSERT_TRUE(ApplyLanguage(app.path(), {}));
    ScriptedMessageBox box;
    LanguageName = "German";
    bool flag = true;
    int applied = 0;
    EXPECT_FALSE(ApplyLanguage(app.path(), {[&] { return flag; }, [&](bool m) { flag = m; }, [&] { ++applied; }}));
    EXPECT_EQ(applied, 0);
    EXPECT_TRUE(flag);
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].text, "Impossible de changer de langue.\n\r\n\rFichier introuvable : Lang\\German.dic");
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(box.shown()[0].buttons, QList<int>{mrOK});
    EXPECT_EQ(LangMsg(33), "Nouveau");
    EXPECT_EQ(LanguageName, "German");
}

TEST_F(Language, TheListHoldsEveryDicFileSortedWithoutCase)
{
    for (const char *f : {"Zulu.dic", "French.dic", "english.DIC", "a.dic.dic", "notes.txt", ".dic", ".Hidden.dic"})
        app.write("Lang/" + QString::fromLatin1(f), "");
    ASSERT_TRUE(QDir().mkpath(app.file("Lang/Folder.dic")));
    EXPECT_EQ(ListLanguages(app.file("Lang")), QStringList({".Hidden", "a.dic", "english", "French", "Zulu"}));
    EXPECT_EQ(ListLanguages(app.file("NoLang")), QStringList());
    EXPECT_EQ(ListLanguages(""), QStringList());
}

TEST_F(Language, TheLanguageMenuOffersEveryNameAndChecksTheCurrentOne)
{
    QWidget window;
    auto *miLanguage = new QMenu(&window);
    QStringList chosen;
    const auto onChoose = [&](QAction *item) { chosen << item->objectName(); };
    const QList<QAction *> items = BuildLanguageMenu(miLanguage, {"English", "French", "Pig Latin"}, onChoose);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[2]->objectName(), "miLangPig Latin");
    EXPECT_EQ(items[2]->text(), "Pig Latin");
    EXPECT_TRUE(items[0]->isChecked());

    LanguageName = "french";
    CheckCurrentLanguageItem(&window);
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isChecked());
    LanguageName = "Klingon";
    CheckCurrentLanguageItem(&window);
    EXPECT_TRUE(items[1]->isChecked());

    items[2]->trigger();
    EXPECT_EQ(chosen, QStringList{"miLangPig Latin"});
    EXPECT_EQ(LanguageFromMenuItemName("miLangmiLangX"), "miLangX");

    // Choosing a language whose file is missing keeps the name and moves the mark.
    ScriptedMessageBox box;
    writeLanguage("Pig Latin", "[Global]\nm_33=Ewnay\n");
    EXPECT_TRUE(SelectLanguage(app.path(), items[2], &window, {}));
    EXPECT_EQ(LanguageName, "Pig Latin");
    EXPECT_EQ(LangMsg(33), "Ewnay");
    QFile::remove(langFile("Pig Latin"));
    EXPECT_FALSE(SelectLanguage(app.path(), items[0], &window, {}));
    EXPECT_EQ(LanguageName, "English");
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(box.shown().size(), 1);

    QMenu empty;
    const QList<QAction *> only = BuildLanguageMenu(&empty, {}, nullptr);
    ASSERT_EQ(only.size(), 1);
    EXPECT_EQ(only[0]->objectName(), "miLangEnglish");
    EXPECT_EQ(only[0]->text(), "English");
    EXPECT_TRUE(only[0]->isChecked());
}

TEST_F(Language, TheFontFollowsTheLanguageNameExactly)
{
    EXPECT_EQ(LanguageFontFor("Japanese").name, "MS PGothic");
    EXPECT_EQ(LanguageFontFor("Japanese").size, 9);
    EXPECT_EQ(LanguageFontFor("japanese").name, "MS Sans Serif");
    EXPECT_EQ(LanguageFontFor("japanese").size, 8);
    EXPECT_EQ(LanguageFontFor("English").name, "MS Sans Serif");

    QWidget w;
    for (const char *language : {"Japanese", "English"}) {
        ApplyLanguageFont(&w, QString::fromLatin1(language));
        EXPECT_EQ(w.font().family(), LanguageFontFor(QString::fromLatin1(language)).name);
        EXPECT_EQ(w.font().pointSize(), LanguageFontFor(QString::fromLatin1(language)).size);
        // What is drawn is a font installed here.
        EXPECT_TRUE(QFontDatabase::families().contains(QFontInfo(w.font()).family())) << language;
    }
}

TEST_F(Language, PicturesOfALanguageLoadOnlyWhenTheyAreReadablePicturesInsideTheProgramFolder)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(QDir().mkpath(app.file("Lang")));
    ASSERT_TRUE(image.save(app.file("Lang/French_uAbout.bmp"), "BMP"));
    app.write("Lang/Bad_uAbout.bmp", "BM not a picture");

    QLabel label;
    EXPECT_FALSE(LoadAppImage(&label, app.path(), "Lang\\Missing_uAbout.bmp"));
    EXPECT_TRUE(label.pixmap().isNull());
    EXPECT_TRUE(LoadAppImage(&label, app.path(), "Lang\\French_uAbout.bmp"));
    EXPECT_EQ(label.pixmap().size(), QSize(3, 2));
    EXPECT_FALSE(LoadAppImage(&label, app.path(), "Lang\\Bad_uAbout.bmp"));
    EXPECT_FALSE(LoadAppImage(&label, app.file("Lang"), "..\\Lang\\French_uAbout.bmp"));
    EXPECT_EQ(label.pixmap().size(), QSize(3, 2));
}
