// Every window of the designer shows all of itself: the main window in both layouts and on small
// screens, each dialog and gallery in both orientations, the galleries also in a language with
// longer texts.
#include "FitCheck.h"
#include "GalleryFixture.h"
#include "FontOptionsDialog.h"
#include "IniFile.h"
#include "Messages.h"
#include "Trans.h"
#include "fra_MenuButtonShortList.h"
#include "uAbout.h"
#include "uAddEditMenu.h"
#include "uBackgroundStyle.h"
#include "uIconLinkListPopup.h"
#include "uIconLinkOptions.h"
#include "uMain.h"
#include "uMenuItemEditor.h"
#include "uMenuStyle.h"
#include "uMenuTextOptions.h"
#include "uMsgDlg_ChkBox.h"
#include "uOptions.h"
#include "uPresetDesign.h"
#include "uPublishSettings.h"
#include "uSelectMenuType.h"
#include "uTextOptions.h"
#include "uWizard.h"
#include "unitSecureReminder.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct NoGallery : IMenuTypeHost {
    bool horizontal = true;
    bool IsHorizontal() const override { return horizontal; }
    void SetOrientation(bool h) override { horizontal = h; }
    bool RunPresetGallery(const QString &, bool &) override { return false; }
};

class EveryWindow : public GalleryTest {
protected:
    void SetUp() override
    {
        GalleryTest::SetUp();
        SetDefaultTexts();
        InitLanguage();
        LanguageName = "English";
        CopyTree(ShippedDataDir() + "Lang", prog.file("Lang"));
    }
    void TearDown() override
    {
        InitLanguage();
        LanguageName = "English";
        GalleryTest::TearDown();
    }

    QString templates() const { return prog.file("Templates/"); }

    // The cut-off controls of the window once it is shown.
    static QStringList Shown(QWidget &window, const QList<const QAbstractScrollArea *> &scrolling = {})
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        return CutOffControls(&window, scrolling);
    }

    // The galleries, each with its first page, in one orientation.
    QList<std::shared_ptr<QDialog>> Galleries(bool horizontal)
    {
        auto background = std::make_shared<TfrmMenuBackgoundStyle>(Setup(horizontal));
        background->Prepare(Description("flashmenu\\bg.jpg"));
        auto style = std::make_shared<TfrmMenuStyle>(Setup(horizontal));
        style->Prepare(Description("flashmenu\\bg.jpg"));
        auto preset = std::make_shared<TfrmPresetDesign>(templates(), horizontal);
        preset->LoadDesigns();
        auto icons = std::make_shared<TfrmIconLinkListPopup>(prog.path());
        icons->Start(QString());
        return {background, style, preset, icons};
    }

    // A language whose every caption in the windows' sections is half as long again.
    void UseLongerTexts(const QList<std::shared_ptr<QDialog>> &windows)
    {
        const QString file = prog.file("Lang/Longer.dic");
        prog.write("Lang/Longer.dic", "[Global]\r\nAppTitle=Tolvanar\r\n");
        IniFile ini(file);
        for (const auto &window : windows)
            for (QWidget *w : window->findChildren<QWidget *>()) {
                QString text;
                if (auto *b = qobject_cast<QAbstractButton *>(w))
                    text = b->text();
                else if (auto *l = qobject_cast<QLabel *>(w))
                    text = l->text();
                else if (auto *g = qobject_cast<QGroupBox *>(w))
                    text = g->title();
                if (!text.isEmpty() && !w->objectName().isEmpty())
                    ini.WriteString(window->objectName(), "c_" + w->objectName(),
                                    text + " " + QString(text.size() / 2, QChar('e')));
            }
        ASSERT_TRUE(LoadLanguageFile(file));
    }
};

// The tile page a gallery must hold: the tiles of a full page with their gaps.
void ExpectWholePage(QDialog &dialog, const QSize &page)
{
    auto *area = dialog.findChild<QScrollArea *>("ScrollBox");
    ASSERT_TRUE(area);
    EXPECT_GE(area->viewport()->width(), page.width()) << dialog.objectName().toStdString();
    EXPECT_GE(area->viewport()->height(), page.height()) << dialog.objectName().toStdString();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << dialog.objectName().toStdString();
}

} // namespace

TEST_F(EveryWindow, EachGalleryShowsItsWholePageInBothOrientations)
{
    for (bool horizontal : {true, false}) {
        const QList<std::shared_ptr<QDialog>> galleries = Galleries(horizontal);
        // Background, button style, presets, icon links.
        const QSize pages[4] = {horizontal ? QSize(550, 282) : QSize(918, 474),
                                horizontal ? QSize(550, 282) : QSize(432, 416),
                                horizontal ? QSize(649, 324) : QSize(953, 474), QSize(466, 193)};
        for (int i = 0; i < 4; ++i) {
            QDialog &d = *galleries[i];
            const QStringList cut = Shown(d);
            EXPECT_TRUE(cut.isEmpty()) << d.objectName().toStdString() << (horizontal ? " horizontal\n" : " vertical\n")
                                       << cut.join("\n").toStdString();
            ExpectWholePage(d, pages[i]);
        }
    }
}

TEST_F(EveryWindow, EachGalleryShowsItsWholePageInALanguageWithLongerTexts)
{
    for (bool horizontal : {true, false}) {
        UseLongerTexts(Galleries(horizontal));
        for (const auto &d : Galleries(horizontal)) {
            const QStringList cut = Shown(*d);
            EXPECT_TRUE(cut.isEmpty()) << d->objectName().toStdString() << (horizontal ? " horizontal\n" : " vertical\n")
                                       << cut.join("\n").toStdString();
            EXPECT_FALSE(d->findChild<QScrollArea *>("ScrollBox")->horizontalScrollBar()->isVisible());
        }
        InitLanguage();
    }
}
