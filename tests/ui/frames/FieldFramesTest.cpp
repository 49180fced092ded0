// The colour field and the file field, driven the way a user types, tabs away and picks.
#include "Dialogs.h"
#include "Errors.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"

#include <QAction>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A shown window with a colour field, a file field and a plain edit to move the focus to.
struct ColorFieldWindow {
    QWidget window;
    TfraColorEdit *field = new TfraColorEdit(&window);
    QLineEdit *other = new QLineEdit(&window);
    int notified = 0;

    ColorFieldWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        field->OnColorChange = [this](TfraColorEdit *sender) {
            EXPECT_EQ(sender, field);
            ++notified;
        };
        // As the main window does: read-only on, then off, makes the text typeable.
        field->SetReadOnly(true);
        field->SetReadOnly(false);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        field->edColor->setFocus(Qt::MouseFocusReason);
    }

    void type(const QString &text)
    {
        field->edColor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field->edColor, Qt::Key_Delete);
        else
            QTest::keyClicks(field->edColor, text);
    }

    void leave()
    {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        EXPECT_TRUE(other->hasFocus());
    }
};

} // namespace

TEST(ColorField, ANewFieldIsWhiteWithItsTextReadOnlyUntilTheOwnerTogglesIt)
{
    TfraColorEdit field;
    EXPECT_EQ(field.GetColor(), 0xFFFFFF);
    EXPECT_TRUE(field.edColor->isReadOnly());
    EXPECT_TRUE(field.btnColorDialog->isEnabled());
    EXPECT_EQ(field.edColor->maxLength(), 6);
    EXPECT_EQ(field.btnColorDialog->text(), "...");

    field.SetReadOnly(false);
    EXPECT_TRUE(field.edColor->isReadOnly());

    field.SetReadOnly(true);
    EXPECT_TRUE(field.edColor->isReadOnly());
    EXPECT_FALSE(field.btnColorDialog->isEnabled());
    field.SetReadOnly(false);
    EXPECT_FALSE(field.edColor->isReadOnly());
    EXPECT_TRUE(field.btnColorDialog->isEnabled());
}

TEST(ColorField, TypedTextActsAtSixCharactersAndDropsOneLeadingHash)
{
    ColorFieldWindow w;
    w.type("#1234");
    EXPECT_EQ(w.notified, 0);
    EXPECT_EQ(w.field->GetColor(), 0xFFFFFF);

    QTest::keyClicks(w.field->edColor, "5");
    EXPECT_EQ(w.field->GetColor(), 0x452301);  // RRGGBB 012345 in platform order
    EXPECT_EQ(w.field->edColor->text(), "012345");
    EXPECT_EQ(w.notified, 1);

    w.type("abcdef");
    EXPECT_EQ(w.field->GetColor(), 0xEFCDAB);
    EXPECT_EQ(w.field->edColor->text(), "ABCDEF");
    EXPECT_EQ(w.field->GetColorHex(), "ABCDEF");
    EXPECT_EQ(w.notified, 2);

    // Leaving a text that equals the colour's does nothing.
    w.leave();
    EXPECT_EQ(w.notified, 2);
}

TEST(ColorField, LeavingTheFieldAppliesADifferingTextAsItStands)
{
    ColorFieldWindow w;
    w.field->SetColor(0x00FF00);
    w.notified = 0;

    w.field->edColor->setFocus(Qt::MouseFocusReason);
    w.type("FF");
    EXPECT_EQ(w.notified, 0);
    w.leave();
    EXPECT_EQ(w.field->GetColor(), 0xFF0000);  // FF read as 0000FF: blue
    EXPECT_EQ(w.field->edColor->text(), "0000FF");
    EXPECT_EQ(w.notified, 1);

    w.field->edColor->setFocus(Qt::MouseFocusReason);
    w.type("");
    w.leave();
    EXPECT_EQ(w.field->GetColor(), 0);
    EXPECT_EQ(w.field->edColor->text(), "000000");
    EXPECT_EQ(w.notified, 2);

    // Lower case differs from the shown text, so it is applied and shown in upper case.
    w.field->edColor->setFocus(Qt::MouseFocusReason);
    w.type("00ab");
    w.leave();
    EXPECT_EQ(w.field->edColor->text(), "0000AB");
    EXPECT_EQ(w.field->GetColor(), 0xAB0000);
}

TEST(ColorField, TheWindowLosingActivationIsNotLeavingTheField)
{
    ColorFieldWindow w;
    w.type("12");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(w.field->edColor, &deactivated);
    EXPECT_EQ(w.notified, 0);
    EXPECT_EQ(w.field->edColor->text(), "12");
    QFocusEvent tabbed(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w.field->edColor, &tabbed);
    EXPECT_EQ(w.field->edColor->text(), "000012");
}

TEST(ColorField, TextThatIsNotHexShowsTheConversionErrorAndKeepsTheColour)
{
    ScriptedMessageBox box;
    ColorFieldWindow w;
    w.field->SetColor(0x0000FF);
    w.notified = 0;

    w.field->edColor->setFocus(Qt::MouseFocusReason);
    w.type("12345G");
    // The framework's error box, which ends its text with a point.
    ASSERT_EQ(box.texts(), QStringList{"'0x12345G' is not a valid integer value."});
    EXPECT_EQ(w.field->GetColor(), 0x0000FF);
    EXPECT_EQ(w.field->edColor->text(), "12345G");

    // No hash is removed on leaving: "#" and four digits cannot be read.
    w.type("#1234");
    w.leave();
    ASSERT_EQ(box.texts().size(), 2);
    EXPECT_EQ(box.texts()[1], "'0x#1234' is not a valid integer value.");
    EXPECT_EQ(w.field->GetColor(), 0x0000FF);
    EXPECT_EQ(w.notified, 0);

    // Two hashes: one goes, the other makes the text unreadable.
    w.field->edColor->setFocus(Qt::MouseFocusReason);
    w.type("##1234");
    EXPECT_EQ(box.texts().size(), 3);
    EXPECT_EQ(w.field->GetColor(), 0x0000FF);
}

TEST(ColorField, SetColorAlwaysNotifiesAndRgbTextIsReadInRedGreenBlueOrder)
{
    TfraColorEdit field;
    int notified = 0;
    field.OnColorChange = [&](TfraColorEdit *) { ++notified; };
    field.SetColor(0xFFFFFF);
    field.SetColor(0xFFFFFF);
    EXPECT_EQ(notified, 2);

    field.SetColorFromRgbText("0x123456");
    EXPECT_EQ(field.GetColor(), 0x563412);
    EXPECT_EQ(field.edColor->text(), "123456");
    field.SetColorFromRgbText("$FF");
    EXPECT_EQ(field.GetColorHex(), "0000FF");
    field.SetColorFromRgbText("65280");
    EXPECT_EQ(field.GetColorHex(), "00FF00");

    EXPECT_THROW(field.SetColorFromRgbText("0xZZ"), EConvertError);
    EXPECT_THROW(field.SetColorFromRgbText(""), EConvertError);
    EXPECT_EQ(field.GetColorHex(), "00FF00");
    EXPECT_EQ(notified, 5);
}

TEST(ColorField, TheColourDialogStartsOnTheColourAndOnlyOkChangesIt)
{
    TfraColorEdit field;
    field.SetColor(0x563412);
    int notified = 0;
    field.OnColorChange = [&](TfraColorEdit *) { ++notified; };
    QColor offered;
    {
        AnswerColor answer([&](const QColor &initial, QWidget *) -> std::optional<QColor> {
            offered = initial;
            return std::nullopt;
        });
        field.btnColorDialog->click();
    }
    EXPECT_EQ(offered, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(field.GetColor(), 0x563412);

    AnswerColor answer([](const QColor &, QWidget *) -> std::optional<QColor> { return QColor(0xAB, 0xCD, 0xEF); });
    field.btnColorDialog->click();
    EXPECT_EQ(field.GetColor(), 0xEFCDAB);
    EXPECT_EQ(field.edColor->text(), "ABCDEF");
    EXPECT_EQ(field.imgColor->palette().color(QPalette::Window), QColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(notified, 1);
}

TEST(FileField, SetupGivesTheDialogItsFilterAndStartFolder)
{
    TempFolder prog;
    TfraFileEdit field(prog.path());
    TOpenDialog seen;
    AnswerOpenFile answer([&](const TOpenDialog &d, QWidget *) -> std::optional<QString> {
        seen = d;
        return std::nullopt;
    });

    field.Setup("MP3 File (*.mp3)|*.mp3", false, prog.path() + "Templates/Sounds/");
    field.btnOpenFileDialog->click();
    EXPECT_EQ(seen.Filter, "MP3 File (*.mp3)|*.mp3");
    EXPECT_EQ(seen.InitialDir, prog.path() + "Templates/Sounds/");

    field.Setup("Any Files (*.*)|*.*", false, "");
    field.btnOpenFileDialog->click();
    EXPECT_EQ(seen.InitialDir, prog.path().chopped(1));
    EXPECT_EQ(field.edFileName->text(), "");
}

TEST(FileField, APickedFileIsCopiedIntoTheMediaFolderAndNamedBare)
{
    TempFolder prog, elsewhere;
    elsewhere.write("music/song one.mp3", "new sound");
    prog.write("MenuPreview/flashmenu/song one.mp3", "old sound");
    TfraFileEdit field(prog.path());
    field.Setup("MP3 File (*.mp3)|*.mp3", false, "");
    QSignalSpy changed(field.edFileName, &QLineEdit::textChanged);

    AnswerOpenFile answer([&](const TOpenDialog &, QWidget *) -> std::optional<QString> {
        return elsewhere.file("music/song one.mp3");
    });
    field.btnOpenFileDialog->click();
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/song one.mp3"), "new sound");
    EXPECT_EQ(field.edFileName->text(), "song one.mp3");
    EXPECT_EQ(field.GetRelativeFileName(), "flashmenu\\song one.mp3");
    EXPECT_EQ(field.GetLastFolder(), elsewhere.file("music/"));
    EXPECT_EQ(changed.count(), 1);
}

TEST(FileField, AMissingMediaFolderIsMadeForTheCopy)
{
    TempFolder prog, elsewhere;
    elsewhere.write("logo.jpg", "jpeg");
    TfraFileEdit field(prog.path());
    AnswerOpenFile answer([&](const TOpenDialog &, QWidget *) -> std::optional<QString> {
        return elsewhere.file("logo.jpg");
    });
    field.btnOpenFileDialogClick();
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/logo.jpg"), "jpeg");
}

TEST(FileField, AFileAlreadyInTheMediaFolderStaysWholeAndAFailedCopySaysSoAndKeepsTheOldName)
{
    TempFolder prog;
    ScriptedMessageBox box;
    prog.write("MenuPreview/flashmenu/logo.swf", "movie");
    TfraFileEdit field(prog.path());
    QString pick = prog.file("MenuPreview/flashmenu/logo.swf");
    AnswerOpenFile answer([&](const TOpenDialog &, QWidget *) -> std::optional<QString> { return pick; });
    field.btnOpenFileDialogClick();
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/logo.swf"), "movie");
    EXPECT_EQ(field.edFileName->text(), "logo.swf");
    EXPECT_TRUE(box.texts().isEmpty());

    QSignalSpy changed(field.edFileName, &QLineEdit::textChanged);
    pick = prog.file("gone/away.mp3");
    field.btnOpenFileDialogClick();
    ASSERT_EQ(box.texts(), QStringList{QString("The file \"%1\" cannot be copied into the project.").arg(pick)});
    EXPECT_EQ(box.shown().last().icon, MsgIcon::Error);
    EXPECT_EQ(field.edFileName->text(), "logo.swf");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu/away.mp3"));
}

TEST(FileField, ANameWithBackslashesLandsInTheMediaFolderUnderItsLastPart)
{
    TempFolder prog, elsewhere;
    // On this system "\" is an ordinary character of a file name; stored names split on it.
    elsewhere.write("in\\..\\..\\evil.mp3", "sound");
    TfraFileEdit field(prog.path());
    AnswerOpenFile answer([&](const TOpenDialog &, QWidget *) -> std::optional<QString> {
        return elsewhere.file("in\\..\\..\\evil.mp3");
    });
    field.btnOpenFileDialogClick();
    EXPECT_EQ(field.edFileName->text(), "evil.mp3");
    EXPECT_EQ(field.GetRelativeFileName(), "flashmenu\\evil.mp3");
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/evil.mp3"), "sound");
    EXPECT_EQ(QDir(prog.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"MenuPreview"});
}

TEST(FileField, CancelChangesNothingAndClearLeavesTheBareFolder)
{
    TempFolder prog;
    TfraFileEdit field(prog.path());
    field.SetFileName("flashmenu\\bg.jpg");
    field.SetLastFolder("/somewhere/");
    QSignalSpy changed(field.edFileName, &QLineEdit::textChanged);
    {
        AnswerOpenFile answer([](const TOpenDialog &, QWidget *) -> std::optional<QString> { return std::nullopt; });
        field.btnOpenFileDialog->click();
    }
    EXPECT_EQ(field.edFileName->text(), "bg.jpg");
    EXPECT_EQ(field.GetLastFolder(), "/somewhere/");
    EXPECT_EQ(changed.count(), 0);

    field.btnClearFileName->click();
    EXPECT_EQ(field.GetRelativeFileName(), "flashmenu\\");
    EXPECT_EQ(changed.count(), 1);
}

TEST(FileField, SetFileNameShowsOnlyTheNameAndForgetsTheDialogsFile)
{
    TempFolder prog, elsewhere;
    elsewhere.write("a.mp3", "x");
    TfraFileEdit field(prog.path());
    AnswerOpenFile answer([&](const TOpenDialog &, QWidget *) -> std::optional<QString> {
        return elsewhere.file("a.mp3");
    });
    field.btnOpenFileDialogClick();
    EXPECT_EQ(field.OpenDialog.FileName, elsewhere.file("a.mp3"));

    field.SetFileName("C:\\Program Files\\Menus\\flashmenu\\title.swf");
    EXPECT_EQ(field.edFileName->text(), "title.swf");
    EXPECT_EQ(field.OpenDialog.FileName, "");
    field.SetFileName("/home/user/sounds/loop.mp3");
    EXPECT_EQ(field.GetRelativeFileName(), "flashmenu\\loop.mp3");
    field.SetFileName("");
    EXPECT_EQ(field.GetRelativeFileName(), "flashmenu\\");
}

TEST(FileField, ReadOnlyDisablesBothButtonsAndGreysTheClearGlyph)
{
    TempFolder prog;
    TfraFileEdit field(prog.path());
    EXPECT_TRUE(field.edFileName->isReadOnly());
    field.Setup("", true, "");
    EXPECT_FALSE(field.btnOpenFileDialog->isEnabled());
    EXPECT_FALSE(field.btnClearFileName->isEnabled());
    EXPECT_EQ(field.a_ClearFileName->icon().cacheKey(), field.ImageList1[1].cacheKey());
    field.SetReadOnly(false);
    EXPECT_TRUE(field.btnOpenFileDialog->isEnabled());
    EXPECT_TRUE(field.btnClearFileName->isEnabled());
    EXPECT_EQ(field.a_ClearFileName->icon().cacheKey(), field.ImageList1[0].cacheKey());
    EXPECT_TRUE(field.edFileName->isReadOnly());
}

TEST(FileDialogFilter, StoredFiltersBecomeTheDialogsForm)
{
    EXPECT_EQ(FileDialogFilter("Flash File & Images (*.swf;*.jpg;*.png;*.gif;*.bmp;*.ico)|*.swf;*.jpg;*.png;*.gif;"
                               "*.bmp;*.ico|Any Files (*.*)|*.*"),
              "Flash File & Images (*.swf *.jpg *.png *.gif *.bmp *.ico);;Any Files (*.*)");
    EXPECT_EQ(FileDialogFilter("MP3 File (*.mp3)|*.mp3"), "MP3 File (*.mp3)");
    EXPECT_EQ(FileDialogFilter("Sounds|*.mp3; *.wav"), "Sounds (*.mp3 *.wav)");
    // A text without a pattern after it is dropped rather than matching nothing.
    EXPECT_EQ(FileDialogFilter("MP3 File (*.mp3)|*.mp3|Dangling"), "MP3 File (*.mp3)");
    EXPECT_EQ(FileDialogFilter(""), "");
}
