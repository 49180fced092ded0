// The designer's main window driven the way a person would: menu entries through the popups, the
// change hook and its delayed refresh, the position sliders, the two layouts, the enabled state,
// the project files, publishing, closing and the command line. Every dialog is answered by the test.
#include "BrowserPane.h"
#include "MessageBox.h"
#include "Messages.h"
#include "TestSupport.h"
#include "ColorGrid.h"
#include "GalleryTile.h"
#include "MainWindowParts.h"
#include "fra_MenuButtonShortList.h"
#include "ZipArchive.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "uBackgroundStyle.h"
#include "uMain.h"
#include "uMenuXml.h"
#include "uPresetDesign.h"
#include "uProgramStart.h"
#include "uSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QString Text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// Records what the dialogs were asked and answers from values set by the test.
struct TDialogScript {
    QList<TEditMenuValues> menuAsked;
    QStringList menuCaptions;
    std::function<bool(TEditMenuValues &)> menuAnswer;
    QStringList itemCaptions;
    std::function<bool(TFlashMenuItem &)> itemAnswer;
    QString openFile, saveFile, publishAnswer = QStringLiteral("-1"), folder;
    QList<int> iconLinkSelected;
    bool iconLinkAnswer = true;
    QStringList textCaptions;
    int wizardCalls = 0;
    int wizardAnswer = 0;
    int endCalls = 0;
    int settingsCalls = 0;

    TMainWindowDialogs Dialogs()
    {
        TMainWindowDialogs d = DefaultMainWindowDialogs();
        d.EditMenu = [this](TEditMenuValues &v, const QString &caption) {
            menuAsked << v;
            menuCaptions << caption;
            return menuAnswer ? menuAnswer(v) : false;
        };
        d.EditMenuItem = [this](TFlashMenuItem &e, const QString &caption) {
            itemCaptions << caption;
            return itemAnswer ? itemAnswer(e) : false;
        };
        d.ChooseOpenFile = [this](QWidget *, const TFileDialogSetup &) { return openFile; };
        d.ChooseSaveFile = [this](QWidget *, const TFileDialogSetup &) { return saveFile; };
        d.PublishSettings = [this](QWidget *, int, int, bool) { return publishAnswer; };
        d.BrowseFolder = [this](QWidget *, const QString &, const QString &) { return folder; };
        d.Wizard = [this](TfrmMain &, QString &) {
            ++wizardCalls;
            return wizardAnswer;
        };
        d.SelectMenuType = nullptr;
        d.EndApplication = [this] { ++endCalls; };
        // The user settings dialog answers OK with a custom menu width of 640.
        d.Settings = [this](TfrmMain &) {
            ++settingsCalls;
            Options.HorzMenuDynamic = 3;
            Options.HorzMenuCustomValue = 640;
            return true;
        };
        d.About = nullptr;
        d.PresetGallery = nullptr;
        d.IconLinks = [this](TfrmMain &, TXMLICONInfo &info, int selected) {
            iconLinkSelected << selected;
            info.Items[size_t(selected - 1)].Text = "Changed";
            return iconLinkAnswer;
        };
        d.EditTextOptions = [this](TTextOptions &options, const QString &caption) {
            textCaptions << caption;
            options.Text = "From Dialog";
            options.Font = TFontValue{"Arial", 20, 0x0000FF, true, false, true};
            return true;
        };
        d.EditButtonOptions = [this](const QString &caption, TButtonOptions &options) {
            textCaptions << caption;
            options.BackColor = 0x332211;
            options.Alpha = 40;
            options.Font = TFontValue{"Verdana", 9, 0x00FF00, false, true, false};
            return true;
        };
        return d;
    }
};

// Sees every event the application delivers while it lives.
class TEventRecorder : public QObject {
public:
    explicit TEventRecorder(std::function<void(QObject *, QEvent *)> see) : FSee(std::move(see))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        FSee(receiver, event);
        return false;
    }

private:
    std::function<void(QObject *, QEvent *)> FSee;
};

class Designer : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        Options = TOptions();
        CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
        CopyTree(ShippedDataDir() + "Lang", prog.file("Lang"));
        for (const char *folder : {"MenuPreview/flashmenu", "Templates/Preview/flashmenu", "Projects", "Publish"})
            QDir().mkpath(prog.file(folder));
        previousOpener = SetPageOpener([this](const QString &page) {
            openedPages << page;
            return true;
        });
    }
    void TearDown() override { SetPageOpener(previousOpener); }

    std::unique_ptr<TfrmMain> Window()
    {
        auto w = std::make_unique<TfrmMain>(prog.path(), nullptr, script.Dialogs());
        w->SetTimerIntervals(150, 150);
        return w;
    }
    // A project open with the default design, as after New.
    std::unique_ptr<TfrmMain> OpenWindow()
    {
        auto w = Window();
        w->Design().SetNoProject(false);
        w->RefreshPreview();
        return w;
    }
    static QStringList ButtonCaptions(TfrmMain &w)
    {
        QStringList captions;
        QList<QToolButton *> buttons = w.tbrMenus->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
        std::sort(buttons.begin(), buttons.end(), [](QToolButton *a, QToolButton *b) {
            return a->property("Tag").toInt() < b->property("Tag").toInt();
        });
        for (QToolButton *b : buttons)
            if (!b->isHidden())  // buttons of a rebuild leave hidden
                captions << b->text();
        return captions;
    }
    QString PreviewXml() const { return Text(prog.read("MenuPreview/flashmenu.xml")); }

    TempFolder prog;
    ScriptedMessageBox box;
    TDialogScript script;
    QStringList openedPages;
    PageOpener previousOpener;
};

} // namespace

// ---- Menu entries through the popups ---------------------------------------------------------

TEST_F(Designer, AddingAMainEntryAfterTheFirstPutsItsButtonSecondAndRebuildsThePreview)
{
    auto w = OpenWindow();
    script.menuAnswer = [](TEditMenuValues &v) {
        v.Name = "<b>News</b>";
        v.Url = "news.htm";
        v.Position = 2;  // the item after the first entry
        return true;
    };
    w->a_AddMenuButton->trigger();

    ASSERT_EQ(script.menuAsked.size(), 1);
    const TEditMenuValues &asked = script.menuAsked[0];
    EXPECT_EQ(asked.Target, "mainFrame");
    EXPECT_TRUE(asked.Name.isEmpty());
    QStringList texts;
    for (const TMenuPositionItem &item : asked.Positions)
        texts << QStringLiteral("%1=%2").arg(item.Text).arg(item.Number);
    EXPECT_EQ(texts, QStringList({"Change Position=0", "At the Beginning=0", "After [Menu1]=2", "After [Menu2]=3",
                                  "After [Menu3]=4"}));
    EXPECT_EQ(script.menuCaptions, QStringList({""}));

    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Menu1", "News", "Menu2", "Menu3"}));
    EXPECT_TRUE(w->Design().IsModified());
    EXPECT_TRUE(PreviewXml().contains("<![CDATA[" + EscapeCdataCaption("<b>News</b>") + "]]>"))
        << PreviewXml().toStdString();
    // The popup of the new entry carries its id in names and tags; the older entries keep theirs.
    for (const char *name : {"Msmi_Main_Create_4", "Msmi_Main_Edit_4", "Msmi_Main_Remove_4", "Msmi_Main_Edit_1"})
        EXPECT_NE(w->findChild<QAction *>(name), nullptr) << name;
    EXPECT_EQ(w->findChild<QAction *>("Msmi_Main_Edit_4")->data().toInt(), 4);
    EXPECT_EQ(w->MenuButtonOfEntry(4)->menu(), w->PopupOfEntry(4));
}

TEST_F(Designer, CancelledOrBlankAddChangesNothing)
{
    auto w = OpenWindow();
    w->Design().SetModified(false);
    script.menuAnswer = [](TEditMenuValues &) { return false; };
    w->a_AddMenuButton->trigger();
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Menu1", "Menu2", "Menu3"}));
}

TEST_F(Designer, SubEntriesStandAboveTheFixedItemsInTheOrderMade)
{
    auto w = OpenWindow();
    int n = 0;
    script.itemAnswer = [&n](TFlashMenuItem &e) {
        EXPECT_EQ(e.Target, "mainFrame");
        EXPECT_TRUE(e.Caption.isEmpty());
        e.Caption = QStringLiteral("Sub <i>%1</i>").arg(++n);
        e.Href = "s.htm";
        return true;
    };
    QAction *create = w->findChild<QAction *>("Msmi_Main_Create_2");
    ASSERT_NE(create, nullptr);
    create->trigger();
    create->trigger();

    QMenu *popup = w->PopupOfEntry(2);
    QStringList items;
    for (QAction *a : popup->actions())
        items << (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(items, QStringList({"Sub 1", "Sub 2", "-", "Create Sub Menu", "-", "Edit", "Remove"}));
    EXPECT_NE(w->findChild<QAction *>("Msmi_Sub_Edit_4"), nullptr);
    EXPECT_NE(w->findChild<QAction *>("Msmi_Sub_Remove_5"), nullptr);
    EXPECT_TRUE(PreviewXml().contains("<![CDATA[" + EscapeCdataCaption("Sub <i>2</i>") + "]]>"));
    EXPECT_EQ(script.itemCaptions, QStringList({"", ""}));

    // Editing a sub-entry renames its item and rebuilds the preview.
    script.itemAnswer = [](TFlashMenuItem &e) {
        e.Caption = "Renamed";
        return true;
    };
    w->findChild<QAction *>("Msmi_Sub_Edit_4")->trigger();
    EXPECT_EQ(script.itemCaptions.last(), "Edit Menu Item");
    EXPECT_EQ(popup->actions()[0]->text(), "Renamed");
    EXPECT_TRUE(PreviewXml().contains("<![CDATA[Renamed]]>"));
}

TEST_F(Designer, AnAmpersandInACaptionShowsAsItselfOnTheButtonAndInThePopup)
{
    auto w = OpenWindow();
    script.menuAnswer = [](TEditMenuValues &v) {
        v.Name = "News & <b>Events</b>";
        return true;
    };
    w->a_AddMenuButton->trigger();
    script.itemAnswer = [](TFlashMenuItem &e) {
        e.Caption = "Products & Prices";
        return true;
    };
    w->findChild<QAction *>("Msmi_Main_Create_1")->trigger();

    // A single "&" would be taken for a shortcut marker and vanish from the shown text.
    QToolButton *button = w->MenuButtonOfEntry(4);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "News && Events");
    EXPECT_EQ(w->PopupOfEntry(1)->actions()[0]->text(), "Products && Prices");
    script.itemAnswer = [](TFlashMenuItem &e) {
        e.Caption = "R&D";
        return true;
    };
    w->findChild<QAction *>("Msmi_Sub_Edit_5")->trigger();
    EXPECT_EQ(w->PopupOfEntry(1)->actions()[0]->text(), "R&&D");
    // The stored caption keeps the single "&".
    EXPECT_EQ(w->Design().Entry(w->Design().FindEntrySlot(5)).Caption, "R&D");
}

TEST_F(Designer, EditingMovesAnEntryAndItsListLeavesOutEntriesOfTheSameName)
{
    auto w = OpenWindow();
    script.menuAnswer = [](TEditMenuValues &v) {
        v.Position = 1;  // At the Beginning
        return true;
    };
    w->findChild<QAction *>("Msmi_Main_Edit_3")->trigger();
    EXPECT_EQ(script.menuCaptions.last(), "Edit Menu");
    QStringList texts;
    for (const TMenuPositionItem &item : script.menuAsked.last().Positions)
        texts << item.Text;
    EXPECT_EQ(texts, QStringList({"Change Position", "At the Beginning", "After [Menu1]", "After [Menu2]"}));
    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Menu3", "Menu1", "Menu2"}));
    // The moved entry's popup still finds it by its id.
    script.menuAnswer = [](TEditMenuValues &v) {
        v.Name = "Third";
        v.Position = 0;
        return true;
    };
    w->findChild<QAction *>("Msmi_Main_Edit_3")->trigger();
    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Third", "Menu1", "Menu2"}));
}

TEST_F(Designer, RemovingAsksAndTakesTheButtonAndTheEntryOutOfThePreview)
{
    auto w = OpenWindow();
    box.answer(mrCancel);
    w->findChild<QAction *>("Msmi_Main_Remove_2")->trigger();
    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Menu1", "Menu2", "Menu3"}));

    box.answer(mrOK);
    w->findChild<QAction *>("Msmi_Main_Remove_2")->trigger();
    EXPECT_EQ(ButtonCaptions(*w), QStringList({"Menu1", "Menu3"}));
    EXPECT_FALSE(PreviewXml().contains("Menu2"));
    EXPECT_EQ(w->PopupOfEntry(2), nullptr);
    EXPECT_EQ(w->findChild<QAction *>("Msmi_Main_Remove_2"), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // An entry made after a reset takes an id used before: its items replace the stale ones.
    w->Design().ResetDesign(true);
    EXPECT_EQ(w->findChildren<QAction *>("Msmi_Main_Edit_2").size(), 1);
}

TEST_F(Designer, TheHintPictureAndTheEmptyStripAddAnEntry)
{
    auto w = OpenWindow();
    w->show();
    QTest::mouseClick(w->imgMenuBarHint, Qt::LeftButton);
    QTest::mouseDClick(w->panMenuSpace, Qt::LeftButton);
    EXPECT_EQ(script.menuAsked.size(), 2);

    // Without a project the strip is off.
    w->Design().SetNoProject(true);
    QTest::mouseClick(w->imgMenuBarHint, Qt::LeftButton);
    EXPECT_EQ(script.menuAsked.size(), 2);
}

// ---- Change hook and delayed refresh ---------------------------------------------------------

TEST_F(Designer, EditsMarkTheProjectAndRefreshOnceAfterThePause)
{
    auto w = OpenWindow();
    w->show();
    w->Design().SetModified(false);
    // Each edit starts the pause again; the refresh comes once, after the last.
    for (int v : {10, 20, 30, 40})
        w->tbMenuSpacing->setValue(v);
    EXPECT_TRUE(w->Design().IsModified());
    EXPECT_EQ(w->lblMenuSpacing->text(), "Value (Pixels) = 40");
    EXPECT_TRUE(w->timerRefresh->isActive());
    EXPECT_FALSE(PreviewXml().contains("space=\"40\""));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->timerRefresh->isActive(); }));
    EXPECT_TRUE(PreviewXml().contains("space=\"40\"")) << PreviewXml().toStdString();
}

TEST_F(Designer, ValuesLoadedIntoTheControlsNeitherMarkNorSchedule)
{
    auto w = OpenWindow();
    w->show();
    w->timerRefresh->stop();  // the first sizing of the preview asked for one
    w->Design().SetModified(false);
    w->Design().Controls.MenuSpacing = 25;
    w->Design().Controls.Title = "Loaded";
    w->ShowDesignValues();
    EXPECT_EQ(w->tbMenuSpacing->value(), 25);
    EXPECT_EQ(w->edtTitle->text(), "Loaded");
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_FALSE(w->timerRefresh->isActive());
}

TEST_F(Designer, ControlEditsReachTheDesign)
{
    auto w = OpenWindow();
    w->show();
    w->edtTitle->setText("My Site");
    w->rgrMenuType->findChildren<QRadioButton *>()[2]->click();
    w->chbMuteDuringDesign->click();
    const TDesignControls &c = w->Design().Controls;
    EXPECT_EQ(w->Design().FTitleOptions.Text, "My Site");
    EXPECT_EQ(c.Title, "My Site");
    EXPECT_EQ(c.MenuTypeIndex, 2);
    EXPECT_FALSE(c.MuteDuringDesign);
    w->RefreshPreview();
    EXPECT_TRUE(PreviewXml().contains("buttontype=\"3\""));
    EXPECT_TRUE(PreviewXml().contains("<![CDATA[My Site]]>"));
}

TEST_F(Designer, PageTextsOnlyMarkTheProject)
{
    auto w = OpenWindow();
    w->show();
    w->pcMain->setCurrentWidget(w->tabHTMLSettings);
    w->memoDescription->clear();
    w->timerRefresh->stop();
    w->Design().SetModified(false);
    w->editTitle->selectAll();
    QTest::keyClicks(w->editTitle, "Shop");
    w->editKeys[2]->selectAll();
    QTest::keyClicks(w->editKeys[2], "shoes");
    EXPECT_EQ(w->editTitle->text(), "Shop");
    EXPECT_TRUE(w->Design().IsModified());
    EXPECT_FALSE(w->timerRefresh->isActive());
    EXPECT_EQ(w->PageOptions().Title, "Shop");
    EXPECT_EQ(w->PageOptions().Keys[2], "shoes");
    // The description is one line of at most 255 characters.
    w->memoDescription->setFocus();
    QTest::keyClicks(w->memoDescription, "one");
    QTest::keyClick(w->memoDescription, Qt::Key_Return);
    QTest::keyClicks(w->memoDescription, "two");
    EXPECT_EQ(w->PageOptions().Description, "onetwo");
    w->memoDescription->setPlainText(QString(300, 'x') + "\nmore");
    EXPECT_EQ(w->PageOptions().Description.size(), 255);
    EXPECT_FALSE(w->PageOptions().Description.contains('\n'));
}

TEST_F(Designer, APaletteColourNotAmongTheCellsHidesTheMarker)
{
    auto w = OpenWindow();
    w->fraHTMLBackgroundColor->SetColor(0x0000FF);  // red, a palette cell
    EXPECT_TRUE(w->cgHTMLColorPalette->ForegroundEnabled());
    EXPECT_EQ(w->PageOptions().BackgroundColor, 0xFF0000);
    w->fraHTMLBackgroundColor->SetColor(0x123456);
    EXPECT_FALSE(w->cgHTMLColorPalette->ForegroundEnabled());
    EXPECT_EQ(w->PageOptions().BackgroundColor, 0x563412);
}

// ---- Position editor -------------------------------------------------------------------------

TEST_F(Designer, ChoosingAnElementLoadsItsPositionWithoutMarking)
{
    auto w = OpenWindow();
    w->show();
    w->Design().SetModified(false);
    w->Design().FLogoX = 70;
    w->Design().FLogoY = 12;
    w->rbLogo->click();
    EXPECT_EQ(w->trbTrackX->value(), 70);
    EXPECT_EQ(w->trbTrackY->value(), 12);
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_FALSE(w->timerRefresh->isActive());
    EXPECT_TRUE(w->pnlVerticalDotline->isVisible());
    EXPECT_TRUE(w->pnlHorizontalDotline->isVisible());
    EXPECT_EQ(w->pnlXYShows->text(), "Logo Position (70, 12)");

    w->trbTrackX->setValue(90);
    EXPECT_EQ(w->Design().FLogoX, 90);
    EXPECT_EQ(w->Design().FMenuX, 190);
    EXPECT_TRUE(w->Design().IsModified());
    EXPECT_TRUE(w->pnlVerticalDotline->isVisible());
    EXPECT_FALSE(w->pnlHorizontalDotline->isVisible());
    EXPECT_EQ(w->trbTrackX->toolTip(), "Logo X-Position: 90 Pixels");
    EXPECT_EQ(w->pnlVerticalDotline->x(), 92);
    // The slider's timer takes the guide away; a loaded machine may be late, never early.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->pnlVerticalDotline->isVisible(); }));
}

TEST_F(Designer, ChoosingAnElementDropsAPendingRefresh)
{
    auto w = OpenWindow();
    w->show();
    w->tbMenuSpacing->setValue(30);
    ASSERT_TRUE(w->timerRefresh->isActive());
    w->Design().FStoreOptions.TitleX = 5;
    w->rbTitle->click();
    EXPECT_FALSE(w->timerRefresh->isActive());
    EXPECT_TRUE(w->Design().IsModified());
}

TEST_F(Designer, TheXRangeFollowsTheMenuArea)
{
    auto w = OpenWindow();
    w->show();
    const int b = w->WebBrowser->width();
    ASSERT_GT(b, 320);
    w->Design().FStoreOptions.BackgroundWidth = b - 300;
    w->UpdateTrackXRange();
    EXPECT_EQ(w->trbTrackX->maximum(), b - 301);
    EXPECT_EQ(w->trbTrackX->width(), b - 301 + 23);
    w->Design().FStoreOptions.BackgroundWidth = b - 2;
    w->UpdateTrackXRange();
    EXPECT_EQ(w->trbTrackX->maximum(), b);

    // A stored x beyond the end stays until the slider moves.
    w->Design().FMenuX = b + 50;
    w->rbMenu->click();
    EXPECT_EQ(w->trbTrackX->value(), b);
    EXPECT_EQ(w->Design().FMenuX, b + 50);
}

TEST_F(Designer, ResizingTheWindowMovesNoStoredPosition)
{
    Options.HorzMenuDynamic = 1;  // the menu area follows the preview pane
    auto w = OpenWindow();
    w->resize(1200, 900);
    w->show();
    QTRY_VERIFY(w->trbTrackX->maximum() > 1000);
    w->Design().FMenuX = 998;
    w->rbMenu->click();
    ASSERT_EQ(w->trbTrackX->value(), 998);
    w->Design().SetModified(false);

    // A narrower preview clamps the slider, not the stored x.
    w->resize(900, 900);
    QTRY_VERIFY(w->trbTrackX->maximum() < 998);
    EXPECT_EQ(w->trbTrackX->value(), w->trbTrackX->maximum());
    EXPECT_EQ(w->Design().FMenuX, 998);
    EXPECT_FALSE(w->Design().IsModified());
    // Room again: the slider shows the stored place.
    w->resize(1200, 900);
    QTRY_COMPARE(w->trbTrackX->value(), 998);

    // The same for y in the vertical layout, where the preview's height follows the window.
    w->SetOrientation(false);
    w->Design().SetModified(false);
    QTRY_VERIFY(w->trbTrackY->maximum() > 600);
    const int y = w->trbTrackY->maximum() - 1;
    w->Design().FMenuY = y;
    w->cbAdjPos->setCurrentIndex(0);
    emit w->cbAdjPos->activated(0);
    ASSERT_EQ(w->trbTrackY->value(), y);
    w->resize(1200, 700);
    QTRY_VERIFY(w->trbTrackY->maximum() < y);
    EXPECT_EQ(w->Design().FMenuY, y);
    EXPECT_FALSE(w->Design().IsModified());
}

TEST_F(Designer, TheVerticalChooserNamesTheElementMoved)
{
    auto w = OpenWindow();
    w->show();
    w->SetOrientation(false);
    w->Design().FStoreOptions.TitleX = 3;
    w->cbAdjPos->setCurrentIndex(2);
    emit w->cbAdjPos->activated(2);
    w->trbTrackX->setValue(44);
    EXPECT_EQ(w->Design().FStoreOptions.TitleX, 44);
    EXPECT_EQ(w->trbTrackX->toolTip(), "Title X-Position: 44 Pixels");
    EXPECT_EQ(w->pnlVerticalDotline->x(), 48);
}

// ---- Layouts and enabled state ---------------------------------------------------------------

TEST_F(Designer, WithNoProjectTheViewShowsNothingOfTheProjectClosed)
{
    auto w = Window();
    w->show();
    const QImage blank = w->MenuStringGrid->grab().toImage();
    w->Design().SetNoProject(false);
    w->Design().FStoreOptions.MainNormalColor = 0xFF00FF;
    w->Design().FStoreOptions.SubActiveColor = 0x00FF00;
    w->RefreshTemplateShortList("tvnr007.swf");
    w->UpdateInterface(0);
    ASSERT_NE(w->MenuStringGrid->grab().toImage(), blank);

    w->Design().ResetToBlankProject();
    EXPECT_EQ(w->MenuStringGrid->grab().toImage(), blank);
    QStringList marked;
    for (TGalleryTile *t : w->fraMenuButtonShortList1->Tiles())
        if (t->IsHighlighted())
            marked << QString::number(t->Tag());
    EXPECT_TRUE(marked.isEmpty()) << marked.join(",").toStdString();
}

TEST_F(Designer, TheCompactStartsPlacesSurviveAResize)
{
    auto w = OpenWindow();
    w->resize(900, 640);
    w->show();
    w->LayoutCompactMainWindow();
    const auto placed = [&] {
        EXPECT_EQ(w->pnlXYShows->x(), w->pnlLineBottom->width() - w->pnlXYShows->width() - w->panCornerRB->width());
        EXPECT_EQ(w->panMenuEdit->x(), w->panMenus->width() - w->panMenuEdit->width());
    };
    placed();
    w->resize(960, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->pnlLineBottom->width() > 900; }));
    placed();
}

TEST_F(Designer, TheLayoutChangesOnlyWithTheOrientation)
{
    auto w = OpenWindow();
    w->show();
    EXPECT_EQ(w->pnlBrowser->parentWidget(), w->centralWidget());
    EXPECT_EQ(w->pnlBrowser->height(), 225);
    EXPECT_FALSE(w->gbPreview->isVisible());

    w->SetOrientation(true);  // same orientation: nothing to lay out
    EXPECT_EQ(w->Design().FLayoutPending, 0);
    EXPECT_EQ(w->pnlBrowser->parentWidget(), w->centralWidget());

    w->SetOrientation(false);
    EXPECT_EQ(w->Design().FLayoutPending, 0);
    EXPECT_TRUE(w->gbPreview->isVisible());
    EXPECT_TRUE(w->cbAdjPos->isVisible());
    EXPECT_FALSE(w->pnlXYShows->isVisible());
    EXPECT_FALSE(w->rbLogo->isVisible());
    EXPECT_EQ(w->pnlBrowser->parentWidget(), w->pnlMainLeft);
    EXPECT_EQ(w->WebBrowser->parentWidget(), w->pnlWebBrowserBorder);
    EXPECT_EQ(w->pnlWebBrowserBorder->parentWidget(), w->gbPreview);
    EXPECT_FALSE(w->rgTextAlign->isHidden());
    EXPECT_EQ(w->rgrButtonSize->findChildren<QRadioButton *>()[0]->text(), "Fit Menu Width");
    EXPECT_EQ(w->cbAdjPos->count(), 6);
    EXPECT_EQ(w->edtTitle->width(), 129);
    EXPECT_EQ(w->btnLinkOptions->geometry(), QRect(3, 24, 170, 20));
    // Every main entry has a row of its own.
    QList<QToolButton *> buttons = w->tbrMenus->findChildren<QToolButton *>();
    buttons.erase(std::remove_if(buttons.begin(), buttons.end(), [](QToolButton *b) { return b->objectName().isNull() && b->text().isEmpty(); }),
                  buttons.end());
    QSet<int> rows;
    for (QToolButton *b : buttons)
        if (b->isVisible())
            rows.insert(b->y());
    EXPECT_EQ(rows.size(), 3);

    w->SetOrientation(true);
    EXPECT_EQ(w->pnlBrowser->parentWidget(), w->centralWidget());
    EXPECT_EQ(w->pnlBrowser->height(), 225);
    EXPECT_TRUE(w->rbLogo->isVisible());
    EXPECT_TRUE(w->pnlXYShows->isVisible());
    EXPECT_FALSE(w->gbPreview->isVisible());
    EXPECT_EQ(w->edtTitle->geometry(), QRect(16, 34, 185, 22));
    EXPECT_EQ(w->rgrButtonSize->findChildren<QRadioButton *>()[0]->text(), "Fixed");
}

TEST_F(Designer, TheHintPictureKeepsItsSizeThroughBothLayouts)
{
    auto w = OpenWindow();
    w->resize(955, 728);
    w->show();
    const QSize picture = w->imgMenuBarHint->pixmap().size();
    QWidget *hintPanel = w->imgMenuBarHint->parentWidget();
    const auto whole = [&] {
        return w->imgMenuBarHint->width() >= picture.width() && w->imgMenuBarHint->height() == picture.height()
            && w->imgMenuBarHint->isVisible();
    };
    const auto hintShownWhole = [&] {
        EXPECT_GE(w->imgMenuBarHint->width(), picture.width());
        EXPECT_EQ(w->imgMenuBarHint->height(), picture.height());
        EXPECT_TRUE(w->imgMenuBarHint->isVisible());
    };
    // Each layout settles through posted events: the checks wait for it, however busy the machine.
    EXPECT_TRUE(QTest::qWaitFor([&] { return whole() && hintPanel->width() == picture.width(); }));
    hintShownWhole();
    EXPECT_EQ(hintPanel->width(), picture.width());

    w->SetOrientation(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return whole() && hintPanel->height() == picture.height(); }));
    hintShownWhole();
    EXPECT_EQ(hintPanel->height(), picture.height());

    // Back in the row of buttons, the picture stands right of the last one at its full width.
    w->SetOrientation(true);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return whole() && hintPanel->width() == picture.width() && hintPanel->x() == w->tbrMenus->geometry().right() + 1;
    }));
    hintShownWhole();
    EXPECT_EQ(hintPanel->width(), picture.width());
    EXPECT_EQ(hintPanel->x(), w->tbrMenus->geometry().right() + 1);
    EXPECT_EQ(w->panMenuSpace->minimumHeight(), 0);
}

TEST_F(Designer, AStripTooShortForItsButtonsScrollsInsteadOfSqueezingThem)
{
    auto w = OpenWindow();
    w->resize(955, 728);
    w->show();
    int n = 0;
    script.menuAnswer = [&n](TEditMenuValues &v) {
        v.Name = QStringLiteral("Entry number %1").arg(++n);
        return true;
    };
    for (int i = 0; i < 9; ++i)
        w->a_AddMenuButton->trigger();
    QWidget *hintPanel = w->imgMenuBarHint->parentWidget();
    const int pictureWidth = w->imgMenuBarHint->pixmap().width(), pictureHeight = w->imgMenuBarHint->pixmap().height();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return hintPanel->width() == pictureWidth && w->panMenuButtons->horizontalScrollBar()->maximum() > 0;
    }));
    const QList<QToolButton *> buttons = w->tbrMenus->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
    int shown = 0;
    for (QToolButton *b : buttons)
        if (b->isVisible()) {
            ++shown;
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
        }
    EXPECT_EQ(shown, 12);
    EXPECT_EQ(hintPanel->width(), pictureWidth);
    EXPECT_GT(w->panMenuButtons->horizontalScrollBar()->maximum(), 0);

    // In the column every entry keeps its row and the picture stays below the last one.
    w->SetOrientation(false);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return hintPanel->height() == pictureHeight && hintPanel->y() >= w->tbrMenus->geometry().bottom()
            && w->panMenuButtons->verticalScrollBar()->maximum() > 0;
    }));
    EXPECT_EQ(hintPanel->height(), w->imgMenuBarHint->pixmap().height());
    EXPECT_GE(hintPanel->y(), w->tbrMenus->geometry().bottom());
    EXPECT_GT(w->panMenuButtons->verticalScrollBar()->maximum(), 0);
}

TEST_F(Designer, TheMenuColumnFitsItsButtonsAfterASwitchAndWhenAVerticalProjectIsOpened)
{
    // Every row fills the column and stays inside it, the arrow included; "" when they all do.
    const auto rowsOutOfTheColumn = [](TfrmMain &w) {
        const int column = w.panMenuButtons->viewport()->width();
        QStringList wrong;
        int rows = 0;
        for (QToolButton *b : w.tbrMenus->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly))
            if (b->isVisible()) {
                ++rows;
                const QRect r = b->geometry();
                if (r.left() < 0 || r.right() > column - 1 || r.width() < column - 4 || r.bottom() > w.tbrMenus->height() - 1)
                    wrong << QStringLiteral("%1 at %2,%3 %4x%5 in a column %6 wide")
                                 .arg(b->text()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(column);
            }
        if (rows != 3)
            wrong << QStringLiteral("%1 rows").arg(rows);
        return wrong.join('\n');
    };
    {
        auto w = OpenWindow();
        w->show();
        w->SetOrientation(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_EQ(rowsOutOfTheColumn(*w).toStdString(), "");
        script.saveFile = prog.file("Projects/column.tvp");
        w->a_SaveAs->trigger();
        ASSERT_TRUE(QFileInfo::exists(script.saveFile));
    }
    // A new window starts horizontal; the project brings the vertical layout with it.
    auto w = Window();
    w->show();
    script.openFile = script.saveFile;
    w->a_LoadSWF->trigger();
    ASSERT_FALSE(w->IsHorizontal());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(rowsOutOfTheColumn(*w).toStdString(), "");
}

TEST_F(Designer, TheHtmlPageAsCreatedShowsTheKeyWordsBesideTheDescription)
{
    // The window starts in the horizontal arrangement without a layout run: the page must already
    // hold the key words and the description, not a group too small to show them.
    auto w = OpenWindow();
    w->resize(955, 728);
    w->show();
    w->pcMain->setCurrentWidget(w->tabHTMLSettings);
    const auto check = [&w] {
        const QRect group = w->grpMetaTags->geometry();
        const QRect keys = w->pnlMetaKeyWords->geometry();
        const QRect memo = w->memoDescription->geometry();
        EXPECT_EQ(group.topLeft(), QPoint(8, 144));
        EXPECT_EQ(group.width(), w->tabHTMLSettings->width() - 40);
        EXPECT_EQ(keys.topLeft(), QPoint(8, 56));
        EXPECT_LE(keys.bottom(), group.height());
        EXPECT_EQ(memo.topLeft(), QPoint(keys.width() + 20, w->lblMetaDescription->geometry().bottom() + 3));
        EXPECT_EQ(memo.width(), group.width() - memo.x() - 20);
        EXPECT_LE(memo.bottom(), group.height());
        EXPECT_EQ(w->lblMetaDescription->x(), memo.x());
    };
    check();
    // Back from the vertical arrangement it is the same page.
    w->SetOrientation(false);
    w->SetOrientation(true);
    check();
}

TEST_F(Designer, WithoutAProjectEveryDesignControlIsOff)
{
    auto w = Window();
    w->show();
    for (QAction *a : {w->a_Save, w->a_SaveAs, w->a_Publish, w->a_Refresh, w->a_Preview})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction *a : {w->a_New, w->a_LoadSWF, w->a_About, w->a_Exit})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(w->trbTrackX->isEnabled());
    EXPECT_FALSE(w->btnAddMenu->isEnabled());
    EXPECT_FALSE(w->tbrMenus->isVisible());
    EXPECT_TRUE(w->edtTitle->isReadOnly());
    EXPECT_TRUE(w->editKeys[11]->isReadOnly());
    EXPECT_TRUE(w->fraLogoImage->ReadOnly());
    EXPECT_FALSE(w->btnSave->isEnabled());
    EXPECT_EQ(w->windowTitle(), "Tolvanar");

    w->Design().SetNoProject(false);
    EXPECT_TRUE(w->trbTrackX->isEnabled());
    EXPECT_TRUE(w->tbrMenus->isVisible());
    EXPECT_FALSE(w->edtTitle->isReadOnly());
    EXPECT_FALSE(w->a_Save->isEnabled());
    EXPECT_TRUE(w->a_Publish->isEnabled());
    w->tbMenuSpacing->setValue(15);
    EXPECT_TRUE(w->a_Save->isEnabled());
    EXPECT_TRUE(w->btnSave->isEnabled());
    EXPECT_EQ(w->windowTitle(), "Tolvanar - New*");
}

// ---- Project files, publishing, closing -------------------------------------------------------

TEST_F(Designer, SaveAsThenOpenBringsTheDesignBack)
{
    auto w = OpenWindow();
    w->show();
    w->edtTitle->setText("Round Trip");
    script.saveFile = prog.file("Projects/trip.tvp");
    w->a_SaveAs->trigger();
    ASSERT_TRUE(QFileInfo::exists(script.saveFile)) << box.texts().join("\n").toStdString();
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_EQ(w->windowTitle(), "Tolvanar - trip.tvp");
    EXPECT_GE(TZipReader(script.saveFile).FindMember("flashmenu.xml"), 0);

    w->edtTitle->setText("Changed");
    box.answer(mrNo);  // do not save the change
    script.openFile = script.saveFile;
    w->a_LoadSWF->trigger();
    EXPECT_EQ(w->edtTitle->text(), "Round Trip");
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_EQ(w->windowTitle(), "Tolvanar - trip.tvp");
    QStringList recent;
    for (QAction *a : w->miRecent->actions())
        recent << a->text();
    EXPECT_EQ(recent, QStringList({script.saveFile}));
}

TEST_F(Designer, TheSaveDialogGivesANameWithoutExtensionTheProjectExtension)
{
    auto w = OpenWindow();
    w->show();
    w->Dialogs().ChooseSaveFile = DefaultMainWindowDialogs().ChooseSaveFile;
    const auto saveAs = [&w](const QString &typed) {
        WhenShown<QFileDialog>([typed](QFileDialog *dialog) {
            QLineEdit *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            if (!name) {
                ADD_FAILURE() << "no file name field";
                dialog->reject();
                return;
            }
            name->clear();
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        w->a_SaveAs->trigger();
    };
    saveAs("cafe");
    EXPECT_EQ(w->windowTitle(), "Tolvanar - cafe.tvp");
    EXPECT_EQ(QDir(prog.file("Projects")).entryList(QDir::Files), QStringList{"cafe.tvp"});

    // A name with another extension is shown as typed and written as a project file.
    saveAs("menu.xml");
    EXPECT_EQ(w->windowTitle(), "Tolvanar - menu.xml");
    EXPECT_EQ(QDir(prog.file("Projects")).entryList(QDir::Files), QStringList({"cafe.tvp", "menu.tvp"}));
    EXPECT_TRUE(box.shown().isEmpty());
}

TEST_F(Designer, APublishWritesTheOutputFolder)
{
    auto w = OpenWindow();
    const QString out = prog.file("Publish/site");
    QDir().mkpath(out);
    script.publishAnswer = "0=-1";
    script.folder = out;
    box.answer(mrNo);  // do not open the page
    w->a_Publish->trigger();
    EXPECT_TRUE(QFileInfo::exists(out + "/flashmenu.xml")) << box.texts().join("\n").toStdString();
    EXPECT_TRUE(QFileInfo::exists(out + "/flashmenu.htm"));
    EXPECT_TRUE(openedPages.isEmpty());

    // Cancel in the settings dialog writes nothing.
    script.publishAnswer = "-1";
    script.folder = prog.file("Publish/other");
    QDir().mkpath(script.folder);
    w->a_Publish->trigger();
    EXPECT_FALSE(QFileInfo::exists(script.folder + "/flashmenu.xml"));
}

TEST_F(Designer, ClosingAModifiedProjectAsksAndCancelKeepsTheWindow)
{
    auto w = OpenWindow();
    w->show();
    w->tbMenuSpacing->setValue(12);
    box.answer(mrCancel);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_FALSE(box.shown().isEmpty());
    EXPECT_EQ(box.shown().last().text, "Project has not saved. Save now?");
    // The settings were written all the same.
    EXPECT_TRUE(prog.exists("tolvanar.ini"));

    box.answer(mrNo);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->Design().IsModified());
}

TEST_F(Designer, UserSettingsAreWrittenAtOnceAndMarkOnlyAnOpenProjectChanged)
{
    // No project: the settings reach the file, but there is nothing to save, so closing asks nothing.
    auto w = Window();
    w->show();
    w->miSettingsClick();
    EXPECT_EQ(script.settingsCalls, 1);
    EXPECT_FALSE(w->Design().IsModified());
    EXPECT_FALSE(w->a_Save->isEnabled());
    const QString ini = Text(prog.read("tolvanar.ini"));
    EXPECT_TRUE(ini.contains("HorzMenuDynamic=3")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("HorzMenuCustomValue=640")) << ini.toStdString();
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(box.shown().isEmpty()) << box.texts().join("\n").toStdString();
    w.reset();

    // An open project takes the new menu width and is marked changed.
    auto open = OpenWindow();
    open->show();
    open->Design().SetModified(false);
    open->miSettingsClick();
    EXPECT_TRUE(open->Design().IsModified());
    EXPECT_EQ(open->Design().FStoreOptions.BackgroundWidth, 640);
    box.answer(mrNo);
    EXPECT_TRUE(open->close());
}

TEST_F(Designer, ExitWithCancelNeitherWritesNorEnds)
{
    auto w = OpenWindow();
    w->tbMenuSpacing->setValue(12);
    QFile::remove(prog.file("tolvanar.ini"));
    box.answer(mrCancel);
    w->a_Exit->trigger();
    EXPECT_EQ(script.endCalls, 0);
    EXPECT_FALSE(prog.exists("tolvanar.ini"));

    box.answer(mrNo);
    w->a_Exit->trigger();
    EXPECT_EQ(script.endCalls, 1);
    EXPECT_TRUE(prog.exists("tolvanar.ini"));
}

// Keys and clicks come through the window system as a user's keyboard and mouse send them. While a
// gallery is open the window behind it is blocked: what is addressed to it (a window manager that
// left the focus there) reaches none of its controls, and the gallery, which holds the focus, takes
// Escape as its own. The suite runs this once more on an X server.
TEST_F(Designer, KeysAndClicksWhileAGalleryIsOpenReachOnlyTheGallery)
{
    auto w = OpenWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->timerRefresh->stop();  // the first sizing of the preview asked for one
    QStringList keysBehind;
    // What the window system hands to the window behind.
    TEventRecorder recorder([&](QObject *receiver, QEvent *event) {
        if (receiver == w->windowHandle() && event->type() == QEvent::KeyPress)
            keysBehind << QKeySequence(static_cast<QKeyEvent *>(event)->key()).toString();
    });
    bool closedByEscape = false;
    int result = -1;
    WhenShown<TfrmMenuBackgoundStyle>([&](TfrmMenuBackgoundStyle *gallery) {
        // Written on the gallery's opening; a refresh would write it again.
        QFile::remove(prog.file("MenuPreview/flashmenu.xml"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_F5})
            QTest::keyClick(w->windowHandle(), key);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->btnClose->mapTo(w.get(), w->btnClose->rect().center()));
        EXPECT_TRUE(gallery->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(gallery));
        EXPECT_EQ(QGuiApplication::focusWindow(), gallery->windowHandle());
        QTest::keyClick(gallery->windowHandle(), Qt::Key_Escape);
        closedByEscape = QTest::qWaitFor([gallery] { return !gallery->isVisible(); }, 5000);
        result = gallery->result();
        if (!closedByEscape)
            gallery->reject();
    });
    w->a_BackgoundStyle->trigger();
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(keysBehind.join(", ").toStdString(), "");
    EXPECT_EQ(script.endCalls, 0);
    EXPECT_TRUE(box.shown().isEmpty()) << box.texts().join("\n").toStdString();
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu.xml")) << "the preview behind was refreshed";

    // The same roads reach the window once nothing blocks it: Return refreshes the preview, and a
    // click on Exit leaves.
    QTest::keyClick(w->windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(keysBehind.contains("Return"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return prog.exists("MenuPreview/flashmenu.xml"); }, 5000));
    box.answer(mrNo);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, w->btnClose->mapTo(w.get(), w->btnClose->rect().center()));
    EXPECT_EQ(script.endCalls, 1);
}

// ---- Command line ----------------------------------------------------------------------------

TEST_F(Designer, TheCommandLineOpensAProjectOrRunsTheWizard)
{
    {
        auto w = OpenWindow();
        script.saveFile = prog.file("Projects/start.tvp");
        w->a_SaveAs->trigger();
        ASSERT_TRUE(QFileInfo::exists(script.saveFile));
    }
    {
        auto w = Window();
        w->Start({script.saveFile});
        EXPECT_EQ(script.wizardCalls, 0);
        EXPECT_EQ(w->Design().FNoProject, 0);
        EXPECT_EQ(w->windowTitle(), "Tolvanar - start.tvp");
    }
    {
        // Another type (capitals count) does nothing and shows no wizard.
        QFile::copy(script.saveFile, prog.file("Projects/upper.TVP"));
        auto w = Window();
        w->Start({prog.file("Projects/upper.TVP")});
        EXPECT_EQ(script.wizardCalls, 0);
        EXPECT_EQ(w->Design().FNoProject, 1);
    }
    {
        auto w = Window();
        w->Start({prog.file("Projects/missing.tvp")});
        EXPECT_EQ(script.wizardCalls, 1);
        EXPECT_EQ(w->Design().FNoProject, 1);
        EXPECT_FALSE(w->FromWizard());
    }
}

TEST_F(Designer, TheWizardsExitEndsTheProgram)
{
    script.wizardAnswer = 3;
    auto w = Window();
    w->Start({});
    EXPECT_EQ(script.endCalls, 1);
    EXPECT_TRUE(prog.exists("tolvanar.ini"));
}

// ---- The program folder ----------------------------------------------------------------------

// A program folder laid out from data/ as scripts/run lays it out, a project created there through
// the preset gallery and opened again: the shipped page options keep their bytes, so the next layout
// still takes every shipped file for the program's and brings it up to date.
TEST_F(Designer, CreatingAndOpeningAProjectLeavesEveryShippedFileTheProgramsOwn)
{
    TempFolder laid;
    const auto layout = [&laid] {
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(TOLVANAR_CMAKE),
                    {QStringLiteral("-DDATA_DIR=" TOLVANAR_SOURCE_DIR "/data"), "-DPROGRAM_DIR=" + laid.path(),
                     QStringLiteral("-P"), QStringLiteral(TOLVANAR_SOURCE_DIR "/cmake/layout-program.cmake")});
        EXPECT_TRUE(cmake.waitForFinished(120000));
        EXPECT_EQ(cmake.exitCode(), 0);
        return QString::fromLocal8Bit(cmake.readAll());
    };
    const QString first = layout();
    EXPECT_FALSE(first.contains("the user's own")) << first.toStdString();
    const QByteArray shipped = laid.read("Templates/HTMLOptions.xml");
    ASSERT_FALSE(shipped.isEmpty());
    EnsureWorkFolders(laid.path());

    TMainWindowDialogs dialogs = script.Dialogs();
    dialogs.SelectMenuType = [](TfrmMain &w, const QString &templates, bool &back) {
        WhenShown<TfrmPresetDesign>([](TfrmPresetDesign *d) {
            if (QTest::qWaitFor([d] { return !d->FSelectedDesign.isEmpty(); }, 20000)) {
                d->btnCreate->click();
            } else {
                ADD_FAILURE() << "no design selected";
                d->reject();
            }
        });
        return DefaultMainWindowDialogs().PresetGallery(w, templates, back);
    };
    script.saveFile = laid.file("Projects/site.tvp");
    {
        TfrmMain w(laid.path(), nullptr, dialogs);
        w.a_New->trigger();
        ASSERT_EQ(w.Design().FNoProject, 0);
        w.a_SaveAs->trigger();
        ASSERT_TRUE(QFileInfo::exists(script.saveFile)) << box.texts().join("\n").toStdString();
    }
    {
        TfrmMain w(laid.path(), nullptr, dialogs);
        script.openFile = script.saveFile;
        w.a_LoadSWF->trigger();
        ASSERT_EQ(w.windowTitle(), "Tolvanar - site.tvp");
    }

    EXPECT_EQ(laid.read("Templates/HTMLOptions.xml").toStdString(), shipped.toStdString());
    const QString second = layout();
    EXPECT_FALSE(second.contains("the user's own")) << second.toStdString();
}

// ---- Text, button-state and icon-link dialogs -------------------------------------------------

TEST_F(Designer, TheTextAndButtonDialogsStoreTheirValuesInTheDesign)
{
    auto w = OpenWindow();
    w->Design().SetModified(false);
    w->btnTitleOptions->click();
    EXPECT_EQ(w->edtTitle->text(), "From Dialog");
    EXPECT_EQ(w->Design().FTitleOptions.Text, "From Dialog");
    const TFontInfo &title = w->Design().FStoreOptions.Fonts[fsTitle];
    EXPECT_EQ(title.Name, "Arial");
    EXPECT_EQ(title.Size, 20);
    EXPECT_EQ(title.Color, 0xFF0000);  // red, held 0xRRGGBB
    EXPECT_EQ(title.Bold, 1);
    EXPECT_EQ(title.Underline, 1);
    EXPECT_TRUE(w->Design().IsModified());

    w->btnMainMenuActive->click();
    const TXMLStoreOptions &o = w->Design().FStoreOptions;
    EXPECT_EQ(o.MainActiveColor, 0x112233);
    EXPECT_EQ(o.MainActiveAlpha, 40);
    EXPECT_EQ(o.Fonts[fsMainActive].Name, "Verdana");
    EXPECT_EQ(o.Fonts[fsMainActive].Italic, 1);
    EXPECT_EQ(w->MenuStringGrid->RowColor(1), 0x112233);
    EXPECT_EQ(script.textCaptions, QStringList({"Title", "Main Menu Active"}));
}

TEST_F(Designer, TheIconLinkPopupListsTheFourLinksAndOpensTheChosenOne)
{
    auto w = OpenWindow();
    w->show();
    for (int i = 0; i < 4; ++i)
        w->Design().FIconInfo.Items[size_t(i)].Text = QStringLiteral("Link%1").arg(i + 1);
    w->btnLinkOptions->click();
    QStringList items;
    for (QAction *a : w->pmLinkOptions->actions())
        items << a->text();
    EXPECT_EQ(items, QStringList({"1 - Link1", "2 - Link2", "3 - Link3", "4 - Link4"}));
    w->pmLinkOptions->hide();
    w->Design().SetModified(false);
    w->pmLinkOptions->actions()[2]->trigger();
    EXPECT_EQ(script.iconLinkSelected, QList<int>({3}));
    EXPECT_EQ(w->Design().FIconInfo.Items[2].Text, "Changed");
    EXPECT_TRUE(w->Design().IsModified());

    // Cancel marks nothing; without a project nothing opens.
    script.iconLinkAnswer = false;
    w->Design().SetModified(false);
    w->miIconLinksOptions->trigger();
    EXPECT_FALSE(w->Design().IsModified());
    w->Design().SetNoProject(true);
    w->acIconLinkoptionsExecute(2);
    EXPECT_EQ(script.iconLinkSelected, QList<int>({3, 1}));
}

// ---- Menu area -------------------------------------------------------------------------------

TEST_F(Designer, TheMenuAreaFollowsTheSizeSettings)
{
    auto w = OpenWindow();
    w->show();
    const int b = w->WebBrowser->width(), h = w->WebBrowser->height();
    const TXMLStoreOptions &o = w->Design().FStoreOptions;
    struct Case {
        int mode;
        int width;
        int fit;
    };
    for (const Case &c : {Case{0, 1004, 0}, Case{1, b, 0}, Case{2, 1004, 1}, Case{3, 640, 0}}) {
        Options.HorzMenuDynamic = c.mode;
        Options.HorzMenuCustomValue = 640;
        w->ComputeMenuAreaWidth();
        EXPECT_EQ(o.BackgroundWidth, c.width) << c.mode;
        EXPECT_EQ(o.FitPageWidth, c.fit) << c.mode;
    }
    Options.HorzMenuDynamic = 9;  // unknown: the width stays
    w->ComputeMenuAreaWidth();
    EXPECT_EQ(o.BackgroundWidth, 640);
    w->ComputeMenuAreaHeight();
    EXPECT_EQ(o.BackgroundHeight, h);

    // Vertical menus: the height by its own setting, the width by the pane.
    w->SetOrientation(false);
    Options.VertMenuDynamic = 0;
    w->ComputeMenuAreaHeight();
    w->ComputeMenuAreaWidth();
    EXPECT_EQ(o.BackgroundHeight, 1004);
    EXPECT_EQ(o.BackgroundWidth, w->WebBrowser->width());
}

// ---- Button short list -------------------------------------------------------------------------

TEST_F(Designer, APickInTheShortListAppliesTheButtonSetAndShowsItsValues)
{
    auto w = OpenWindow();
    w->show();
    w->Design().SetModified(false);
    const QStringList names = w->fraMenuButtonShortList1->Names();
    ASSERT_TRUE(names.contains("tvmbiz001.swf")) << names.join(",").toStdString();
    for (TGalleryTile *tile : w->fraMenuButtonShortList1->Tiles())
        if (names.value(tile->Tag()) == "tvmbiz001.swf")
            w->fraMenuButtonShortList1->TileClick(tile);
    EXPECT_EQ(w->Design().CurrentMenuFileName, "tvmbiz001.swf");
    EXPECT_TRUE(prog.exists("MenuPreview/tvmbiz001.swf"));
    EXPECT_TRUE(w->Design().IsModified());
    // The template's spacing and button type stand in the controls.
    EXPECT_EQ(w->tbMenuSpacing->value(), 3);
    EXPECT_TRUE(w->rgrMenuType->findChildren<QRadioButton *>()[1]->isChecked());
    EXPECT_TRUE(PreviewXml().contains("tvmbiz001.swf"));
}

// A project saved with a set far down the list, opened again in a new window through File > Open:
// the list marks the design's set and shows it, in the layout the window had (horizontal) and in
// the one the project brings (vertical).
TEST_F(Designer, AnOpenedProjectsButtonSetIsMarkedAndScrolledIntoView)
{
    for (const bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        script.saveFile = prog.file(horizontal ? "Projects/across.tvp" : "Projects/down.tvp");
        {
            auto w = OpenWindow();
            w->show();
            w->SetOrientation(horizontal);
            TfraMenuButtonShortList *list = w->fraMenuButtonShortList1;
            TGalleryTile *far = TileWithTag(list->ScrollBox->widget(), int(list->Names().indexOf("tvnr001.swf")));
            ASSERT_TRUE(far);
            list->ScrollBox->ensureWidgetVisible(far);
            QTest::mouseClick(far->Picture(), Qt::LeftButton);
            ASSERT_EQ(w->Design().CurrentMenuFileName, "tvnr001.swf");
            w->a_SaveAs->trigger();
            ASSERT_TRUE(QFileInfo::exists(script.saveFile)) << box.texts().join("\n").toStdString();
        }
        auto w = Window();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        script.openFile = script.saveFile;
        w->a_LoadSWF->trigger();
        ASSERT_EQ(w->IsHorizontal(), horizontal);
        ASSERT_EQ(w->Design().CurrentMenuFileName, "tvnr001.swf");
        TfraMenuButtonShortList *list = w->fraMenuButtonShortList1;
        const auto marked = [list] {
            for (TGalleryTile *t : list->Tiles())
                if (t->IsHighlighted())
                    return list->Names().value(t->Tag(), QStringLiteral("the custom tile")).toStdString();
            return std::string("none");
        };
        EXPECT_EQ(marked(), "tvnr001.swf");
        TGalleryTile *tile = list->CurrentTile();
        ASSERT_TRUE(tile);
        EXPECT_EQ(list->Names().value(tile->Tag()).toStdString(), "tvnr001.swf");
        // Seen once the window has settled.
        const auto inView = [list, tile] {
            const QRect shown(-list->ScrollBox->widget()->pos(), list->ScrollBox->viewport()->size());
            return shown.contains(tile->geometry());
        };
        EXPECT_TRUE(QTest::qWaitFor(inView, 5000));
    }
}
