// The text and button option dialogs: what they load, what the controls do to the font and
// colours, and that only OK stores.
#include "ColorGrid.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "fra_ColorEdit.h"
#include "uGlobal.h"
#include "uMenuTextOptions.h"
#include "uTextOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TFontValue Font(const QString &name, int size, int32_t color, bool bold = false, bool italic = false,
                bool underline = false)
{
    TFontValue f;
    f.Name = name;
    f.Size = size;
    f.Color = color;
    f.Bold = bold;
    f.Italic = italic;
    f.Underline = underline;
    return f;
}

TTextOptions SampleTitle()
{
    TTextOptions o;
    o.Text = "Welcome";
    o.Effect = 3;
    o.Font = Font("Arial", 14, 0x563412, true, false, true);
    return o;
}

TButtonOptions SampleButton()
{
    TButtonOptions o;
    o.Font = Font("Verdana", 10, 0xFFFFFF);
    o.BackColor = 0x800000;  // navy, a palette colour
    o.Alpha = 40;
    return o;
}

QColor PaintedText(const QLabel *label) { return label->palette().color(QPalette::WindowText); }
QColor Painted(const QWidget *w) { return w->palette().color(QPalette::Window); }

void ExpectSameOptions(const TTextOptions &a, const TTextOptions &b)
{
    EXPECT_EQ(a.Text, b.Text);
    EXPECT_EQ(a.Effect, b.Effect);
    EXPECT_TRUE(a.Font == b.Font);
}

void ExpectSameOptions(const TButtonOptions &a, const TButtonOptions &b)
{
    EXPECT_TRUE(a.Font == b.Font);
    EXPECT_EQ(a.BackColor, b.BackColor);
    EXPECT_EQ(a.Alpha, b.Alpha);
}

} // namespace

class TextOptions : public EnglishUi {};
class ButtonOptions : public EnglishUi {};

TEST_F(TextOptions, TheDialogShowsTheOptionsAndOkWithoutChangesStoresThemAsTheyWere)
{
    TTextOptions options = SampleTitle();
    WhenShown<TfrmTextOptions>([](TfrmTextOptions *d) {
        EXPECT_EQ(d->windowTitle(), "Title Text Options");
        EXPECT_EQ(d->grbText->title(), "Title");
        EXPECT_EQ(d->txtSelectionText->text(), "Welcome");
        EXPECT_EQ(d->lblText->text(), "Welcome");
        EXPECT_EQ(d->lblText->font().family(), "Arial");
        EXPECT_EQ(d->lblText->font().pointSize(), 14);
        EXPECT_TRUE(d->lblText->font().bold());
        EXPECT_TRUE(d->lblText->font().underline());
        EXPECT_EQ(PaintedText(d->lblText), QColor(0x12, 0x34, 0x56));
        EXPECT_EQ(d->lblFontOptions->text(), "Font : Arial\r\nSize : 14\r\nColor : 123456");
        EXPECT_TRUE(d->chbIsBolded->isChecked());
        EXPECT_FALSE(d->chbIsItalic->isChecked());
        EXPECT_TRUE(d->chbIsUnderlined->isChecked());
        EXPECT_EQ(d->fraFlashForegroundColor->GetColorHex(), "123456");
        EXPECT_FALSE(d->cgFlashColorPalette->ForegroundEnabled());  // not a palette colour
        EXPECT_FALSE(d->rgrTextEffect->isVisible());
        EXPECT_TRUE(d->grpStyle->isVisible());
        EXPECT_TRUE(d->lblText->isVisible());
        EXPECT_TRUE(d->FontDialogFont() == SampleTitle().Font);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditTextOptions(options, "Title"));
    ExpectSameOptions(options, SampleTitle());
}

TEST_F(TextOptions, WithoutACaptionTheDialogAndGroupKeepTheirOwnNames)
{
    TTextOptions options = SampleTitle();
    WhenShown<TfrmTextOptions>([](TfrmTextOptions *d) {
        EXPECT_EQ(d->windowTitle(), "Text Options");
        EXPECT_EQ(d->grbText->title(), "Text");
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditTextOptions(options, ""));
}

TEST_F(TextOptions, StyleBoxesTextAndPaletteChangeTheFontAndOnlyOkStores)
{
    auto edit = [](TfrmTextOptions *d) {
        d->chbIsBolded->click();
        d->chbIsItalic->click();
        d->chbIsUnderlined->click();
        d->txtSelectionText->setText("Hello <world> & co");
        ClickCell(d->cgFlashColorPalette, 9);  // red
        EXPECT_TRUE(d->cgFlashColorPalette->ForegroundEnabled());
        EXPECT_EQ(d->fraFlashForegroundColor->GetColorHex(), "FF0000");
        EXPECT_EQ(PaintedText(d->lblText), QColor(Qt::red));
        EXPECT_FALSE(d->lblText->font().bold());
        EXPECT_TRUE(d->lblText->font().italic());
        EXPECT_FALSE(d->lblText->font().underline());
        EXPECT_EQ(d->lblText->text(), "Hello <world> & co");
        EXPECT_EQ(d->lblFontOptions->text(), "Font : Arial\r\nSize : 14\r\nColor : FF0000");
    };
    TTextOptions options = SampleTitle();
    WhenShown<TfrmTextOptions>([&](TfrmTextOptions *d) {
        edit(d);
        d->btnCancel->click();
    });
    EXPECT_FALSE(EditTextOptions(options, "Title"));
    ExpectSameOptions(options, SampleTitle());

    WhenShown<TfrmTextOptions>([&](TfrmTextOptions *d) {
        edit(d);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditTextOptions(options, "Title"));
    ExpectSameOptions(options, SampleTitle());

    WhenShown<TfrmTextOptions>([&](TfrmTextOptions *d) {
        edit(d);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditTextOptions(options, "Title"));
    EXPECT_EQ(options.Text, "Hello <world> & co");
    EXPECT_EQ(options.Effect, 3);
    EXPECT_TRUE(options.Font == Font("Arial", 14, 0x0000FF, false, true, false));
}

TEST_F(TextOptions, TheFontDialogStartsFromThePreviewAndCannotSetUnderline)
{
    TTextOptions options = SampleTitle();
    options.Font.Underline = false;
    TFontValue offered;
    AnswerFont answer([&](const TFontValue &initial, QWidget *) -> std::optional<TFontValue> {
        offered = initial;
        TFontValue chosen = initial;
        chosen.Name = "Times";
        chosen.Size = 20;
        chosen.Bold = false;
        chosen.Underline = true;
        return chosen;
    });
    WhenShown<TfrmTextOptions>([](TfrmTextOptions *d) {
        d->chbIsItalic->click();
        d->btnChangeFont->click();
        EXPECT_FALSE(d->lblText->font().underline());
        EXPECT_FALSE(d->chbIsUnderlined->isChecked());
        EXPECT_FALSE(d->chbIsBolded->isChecked());
        EXPECT_EQ(d->lblFontOptions->text(), "Font : Times\r\nSize : 20\r\nColor : 123456");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditTextOptions(options, ""));
    EXPECT_TRUE(offered == Font("Arial", 14, 0x563412, true, true, false));
    EXPECT_TRUE(options.Font == Font("Times", 20, 0x563412, false, true, false));
}

TEST_F(TextOptions, ACancelledFontDialogChangesNothing)
{
    TTextOptions options = SampleTitle();
    AnswerFont answer([](const TFontValue &, QWidget *) -> std::optional<TFontValue> { return std::nullopt; });
    WhenShown<TfrmTextOptions>([](TfrmTextOptions *d) {
        d->btnChangeFont->click();
        d->btnOK->click();
    });
    EXPECT_TRUE(EditTextOptions(options, ""));
    ExpectSameOptions(options, SampleTitle());
}

TEST_F(TextOptions, TheColourFieldsButtonColoursTheText)
{
    TTextOptions options = SampleTitle();
    QColor offered;
    AnswerColor answer([&](const QColor &initial, QWidget *) -> std::optional<QColor> {
        offered = initial;
        return QColor(0x00, 0x80, 0x00);  // green, a palette colour
    });
    WhenShown<TfrmTextOptions>([](TfrmTextOptions *d) {
        // As designed, the hex text is not typeable in the dialogs.
        EXPECT_TRUE(d->fraFlashForegroundColor->edColor->isReadOnly());
        d->fraFlashForegroundColor->btnColorDialog->click();
        EXPECT_EQ(PaintedText(d->lblText), QColor(0x00, 0x80, 0x00));
        EXPECT_TRUE(d->cgFlashColorPalette->ForegroundEnabled());
        EXPECT_EQ(d->cgFlashColorPalette->ForegroundIndex(), 2);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditTextOptions(options, ""));
    EXPECT_EQ(offered, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(options.Font.Color, 0x008000);
}

TEST_F(TextOptions, BoldAndItalicCaptionsComeFromTheMessageTable)
{
    SetLangMsg(52, "Gras");
    SetLangMsg(53, "Italique");
    TfrmTextOptions d;
    EXPECT_EQ(d.chbIsBolded->text(), "Gras");
    EXPECT_EQ(d.chbIsItalic->text(), "Italique");
    EXPECT_EQ(d.chbIsUnderlined->text(), "Underline");
    TfrmMenuTextOptions m;
    EXPECT_EQ(m.chbIsBolded->text(), "Gras");
}

TEST_F(TextOptions, LanguageFontsAndStyleBoxPlaces)
{
    // Each box at its designed place and width, or further on and wider where its caption needs it.
    auto places = [](TFontOptionsDialog &d) {
        int right = 0;
        for (QCheckBox *b : {d.chbIsUnderlined, d.chbIsBolded, d.chbIsItalic}) {
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
            EXPECT_GE(b->x(), right) << b->objectName().toStdString();
            right = b->x() + b->width();
        }
        return QList<int>{d.chbIsUnderlined->x(), d.chbIsUnderlined->width(), d.chbIsBolded->x(),
                          d.chbIsBolded->width(), d.chbIsItalic->x(), d.chbIsItalic->width()};
    };
    auto atLeast = [](const QList<int> &got, const QList<int> &designed) {
        for (int i = 0; i < got.size(); ++i)
            if (got[i] < designed[i])
                return false;
        return true;
    };
    {
        TfrmTextOptions d;
        EXPECT_EQ(d.font().family(), "MS Sans Serif");
        EXPECT_EQ(d.font().pointSize(), 8);
        EXPECT_TRUE(atLeast(places(d), {8, 72, 80, 48, 128, 48}));
    }
    SetFormLanguage("Japanese");
    TfrmTextOptions d;
    EXPECT_EQ(d.font().family(), "MS PGothic");
    EXPECT_EQ(d.font().pointSize(), 9);
    EXPECT_TRUE(atLeast(places(d), {8, 48, 64, 48, 120, 48}));
    TfrmMenuTextOptions m;
    EXPECT_EQ(m.font().family(), "MS PGothic");
    EXPECT_TRUE(atLeast(places(m), {8, 48, 64, 48, 120, 48}));
}

TEST_F(ButtonOptions, TheDialogShowsTheStateAndOkWithoutChangesStoresItAsItWas)
{
    TButtonOptions options = SampleButton();
    WhenShown<TfrmMenuTextOptions>([](TfrmMenuTextOptions *d) {
        EXPECT_EQ(d->windowTitle(), "Menu Button Options");
        EXPECT_EQ(d->lblText->text(), "Main Menu Normal");
        EXPECT_EQ(d->alpha->value(), 40);
        EXPECT_EQ(d->alpha->toolTip(), "40%");
        EXPECT_EQ(d->alpha->minimum(), 0);
        EXPECT_EQ(d->alpha->maximum(), 100);
        EXPECT_EQ(d->alpha->tickInterval(), 5);
        EXPECT_EQ(d->fraFlashBackgroundColor->GetColorHex(), "000080");
        EXPECT_EQ(Painted(d->pnlTextPreview), QColor(0, 0, 0x80));
        EXPECT_TRUE(d->cgFlashColorPaletteBtn->ForegroundEnabled());
        EXPECT_EQ(d->cgFlashColorPaletteBtn->ForegroundIndex(), 4);
        EXPECT_TRUE(d->cgFlashColorPaletteTxt->ForegroundEnabled());
        EXPECT_EQ(d->cgFlashColorPaletteTxt->ForegroundIndex(), 15);
        EXPECT_EQ(d->fraFlashForegroundColor->GetColorHex(), "FFFFFF");
        EXPECT_EQ(d->lblFontOptions->text(), "Font : Verdana\r\nSize : 10\r\nColor : FFFFFF");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditButtonOptions("Main Menu Normal", options));
    ExpectSameOptions(options, SampleButton());
}

TEST_F(ButtonOptions, ButtonColourPaletteDialogAndTransparencyAreStoredOnOkOnly)
{
    AnswerColor answer([](const QColor &, QWidget *) -> std::optional<QColor> { return QColor(0x12, 0x34, 0x56); });
    auto edit = [](TfrmMenuTextOptions *d) {
        ClickCell(d->cgFlashColorPaletteBtn, 11);  // yellow
        EXPECT_EQ(Painted(d->pnlTextPreview), QColor(Qt::yellow));
        EXPECT_EQ(d->fraFlashBackgroundColor->GetColorHex(), "FFFF00");
        // A colour from the dialog that no cell holds: the preview shows it, no cell is marked.
        d->fraFlashBackgroundColor->btnColorDialog->click();
        EXPECT_EQ(Painted(d->pnlTextPreview), QColor(0x12, 0x34, 0x56));
        EXPECT_EQ(d->PreviewColor(), 0x563412);
        EXPECT_FALSE(d->cgFlashColorPaletteBtn->ForegroundEnabled());
        // The text colour is its own.
        ClickCell(d->cgFlashColorPaletteTxt, 0);
        EXPECT_EQ(PaintedText(d->lblText), QColor(Qt::black));
        EXPECT_EQ(d->fraFlashForegroundColor->GetColorHex(), "000000");
        d->chbIsBolded->click();
        d->alpha->setValue(100);
        EXPECT_EQ(d->alpha->toolTip(), "100%");
        d->alpha->setValue(0);
        EXPECT_EQ(d->alpha->toolTip(), "0%");
    };
    TButtonOptions options = SampleButton();
    WhenShown<TfrmMenuTextOptions>([&](TfrmMenuTextOptions *d) {
        edit(d);
        d->close();
    });
    EXPECT_FALSE(EditButtonOptions("Sub Menu Active", options));
    ExpectSameOptions(options, SampleButton());

    WhenShown<TfrmMenuTextOptions>([&](TfrmMenuTextOptions *d) {
        edit(d);
        d->btnOK->click();
    });
    EXPECT_TRUE(EditButtonOptions("Sub Menu Active", options));
    EXPECT_TRUE(options.Font == Font("Verdana", 10, 0x000000, true));
    EXPECT_EQ(options.BackColor, 0x563412);
    EXPECT_EQ(options.Alpha, 0);
}

TEST_F(ButtonOptions, TheTextColourButtonAndATransparencyOutOfRange)
{
    AnswerColor answer([](const QColor &initial, QWidget *) -> std::optional<QColor> {
        EXPECT_EQ(initial, QColor(Qt::white));
        return QColor(0xC0, 0xC0, 0xC0);  // silver
    });
    TButtonOptions options = SampleButton();
    options.Alpha = 250;
    options.BackColor = 0x123456;
    WhenShown<TfrmMenuTextOptions>([](TfrmMenuTextOptions *d) {
        EXPECT_FALSE(d->cgFlashColorPaletteBtn->ForegroundEnabled());
        EXPECT_EQ(Painted(d->pnlTextPreview), QColor(0x56, 0x34, 0x12));
        EXPECT_EQ(d->alpha->value(), 100);
        d->fraFlashForegroundColor->btnColorDialog->click();
        EXPECT_EQ(PaintedText(d->lblText), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(d->cgFlashColorPaletteTxt->ForegroundIndex(), 8);
        // The button colour stays where it was.
        EXPECT_EQ(d->fraFlashBackgroundColor->GetColorHex(), "563412");
        d->btnOK->click();
    });
    EXPECT_TRUE(EditButtonOptions("Main Menu Active", options));
    EXPECT_EQ(options.Font.Color, 0xC0C0C0);
    EXPECT_EQ(options.BackColor, 0x123456);
    EXPECT_EQ(options.Alpha, 100);
}

TEST(ColorGrid, SelectingAColourMarksItsFirstCellOrNone)
{
    TColorGrid grid;
    EXPECT_TRUE(grid.SelectColor(0xFF0000));  // blue in platform order
    EXPECT_EQ(grid.ForegroundIndex(), 12);
    EXPECT_TRUE(grid.ForegroundEnabled());
    EXPECT_FALSE(grid.SelectColor(0x010203));
    EXPECT_FALSE(grid.ForegroundEnabled());
    // Picking the cell that was marked before still tells the owner and shows the marker.
    int changes = 0;
    QObject::connect(&grid, &TColorGrid::Change, [&] { ++changes; });
    grid.SetForegroundIndex(15);
    ClickCell(&grid, 15);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(grid.ForegroundEnabled());
    EXPECT_EQ(grid.ForegroundColor(), 0xFFFFFF);
    // Outside the cells, or another button, nothing.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(8 * 16 + 0, 4));
    QTest::mouseClick(&grid, Qt::RightButton, {}, QPoint(8, 8));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(grid.ForegroundIndex(), 15);
}
