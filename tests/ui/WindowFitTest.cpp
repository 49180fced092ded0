// Every window of the designer shows all of itself: the main window in both layouts and on small
// screens, each dialog and gallery in both orientations, the galleries also in a language with
// longer texts.
#include "FitCheck.h"
#include "GalleryFixture.h"
#include "FontOptionsDialog.h"
#include "GalleryTile.h"
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

#include <QAction>
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

    // The cut-off controls of the main window on each of its pages in both layouts, as the program
    // opens it on a screen whose free area is area.
    QStringList MainWindowCutOff(const QRect &area = QRect(0, 0, 1366, 736))
    {
        QStringList cut;
        for (bool horizontal : {true, false}) {
            // As the program runs: the window shows, then a project brings its orientation.
            TfrmMain w(prog.path());
            w.FitToScreen(area);
            w.show();
            w.Design().SetNoProject(false);
            w.SetOrientation(horizontal);
            // The window's own scroll boxes: the menu information, the menu toolbar, the button short list
            // and the HTML page.
            const QList<const QAbstractScrollArea *> scrolling{w.scbLeft, w.panMenuButtons,
                                                               w.fraMenuButtonShortList1->ScrollBox, w.scbHTMLSettings};
            const auto look = [&](const QString &where) {
                const QStringList found = Shown(w, scrolling, area);
                if (!found.isEmpty())
                    cut << (horizontal ? "horizontal " : "vertical ") + where << found;
            };
            for (int page : {0, 1}) {
                w.pcMain->setCurrentIndex(page);
                look(QStringLiteral("page %1").arg(page));
            }
            w.pcMain->setCurrentIndex(0);
            w.pcMenuDesignEtc->setCurrentIndex(1);
            look(QStringLiteral("advanced page"));
        }
        return cut;
    }

    // The cut-off controls of the window once it is shown and has settled: what arrives after the
    // first paint (a layout pass, the preview, a page of tiles) may still move its controls, the
    // later the busier the machine. Empty as soon as nothing is cut; else what is cut after 10 s.
    static QStringList Shown(QWidget &window, const QList<const QAbstractScrollArea *> &scrolling = {},
                             const QRect &area = QRect())
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QStringList cut;
        (void)QTest::qWaitFor([&] {
            cut = CutOffControls(&window, scrolling, area);
            return cut.isEmpty();
        }, 10000);
        return cut;
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

// The tile page a gallery must hold: the tiles of a full page with their gaps, without a sideways
// scroll bar, once the gallery has settled.
void ExpectWholePage(QDialog &dialog, const QSize &page)
{
    auto *area = dialog.findChild<QScrollArea *>("ScrollBox");
    ASSERT_TRUE(area);
    (void)QTest::qWaitFor([&] {
        return area->viewport()->width() >= page.width() && area->viewport()->height() >= page.height()
               && !area->horizontalScrollBar()->isVisible();
    }, 10000);
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

// On any screen, 1024 x 768 among them (the suite runs this again on one): the window with a window
// manager's frame fits, and a tile page wider than the screen leaves scrolls sideways, its height whole.
TEST_F(EveryWindow, EachGalleryFitsItsScreenFrameIncludedInBothOrientations)
{
    for (bool horizontal : {true, false})
        for (const auto &d : Galleries(horizontal)) {
            auto *area = d->findChild<QScrollArea *>("ScrollBox");
            const QStringList cut = Shown(*d, {area});
            EXPECT_TRUE(cut.isEmpty()) << d->objectName().toStdString() << (horizontal ? " horizontal\n" : " vertical\n")
                                       << cut.join("\n").toStdString();
            EXPECT_GE(area->viewport()->height(), area->widget()->height()) << d->objectName().toStdString();
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
            ExpectWholePage(*d, QSize());
        }
        InitLanguage();
    }
}

TEST_F(EveryWindow, EachDialogShowsAllOfItselfInBothOrientations)
{
    NoGallery host;
    for (bool horizontal : {true, false}) {
        host.horizontal = horizontal;
        QList<std::shared_ptr<QDialog>> dialogs;
        dialogs << std::make_shared<TfrmIconLinkOptions>(prog.path());
        dialogs << std::make_shared<TfrmEditMenu>() << std::make_shared<TfrmCreateMenuItem>();
        dialogs << std::make_shared<TfrmTextOptions>() << std::make_shared<TfrmMenuTextOptions>();
        dialogs << std::make_shared<TfrmPublishSettings>(horizontal);
        dialogs << std::make_shared<TfrmSelectMenuType>(host, templates(), true);
        dialogs << std::make_shared<TfrmWizard>(prog.path(), "English", QStringList{"/p/a.tvp"});
        dialogs << std::make_shared<TfrmSecureReminder>() << std::make_shared<TfrmMsgDlg_ChkBox>();
        dialogs << std::make_shared<TfrmOptions>(prog.path(), "English");
        dialogs << std::make_shared<TfrmAbout>(prog.path(), "English", QStringList{});
        for (const auto &d : dialogs) {
            const QStringList cut = Shown(*d);
            EXPECT_TRUE(cut.isEmpty()) << d->objectName().toStdString() << (horizontal ? " horizontal\n" : " vertical\n")
                                       << cut.join("\n").toStdString();
        }
    }
}

// The main window as it opens on a 1366 x 768 laptop with a panel along the bottom, in both layouts.
TEST_F(EveryWindow, TheMainWindowShowsAllOfItselfInBothLayouts)
{
    const QStringList cut = MainWindowCutOff();
    EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
}

// The windows are shown in the language's font whatever font the desktop gives, so the captions
// are measured in that font too: a small narrow desktop font and a large wide one change nothing.
TEST_F(EveryWindow, TheDesktopsFontCutsNoCaption)
{
    const QFont desktop = QApplication::font();
    for (const auto &[family, size] : {std::pair{"DejaVu Sans Condensed", 7}, std::pair{"DejaVu Sans Mono", 11}}) {
        SCOPED_TRACE(family);
        QApplication::setFont(QFont(QString::fromLatin1(family), size));
        const QStringList cut = MainWindowCutOff();
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
        TfrmSecureReminder reminder;
        const QStringList reminderCut = Shown(reminder);
        EXPECT_TRUE(reminderCut.isEmpty()) << reminderCut.join("\n").toStdString();
    }
    QApplication::setFont(desktop);
}

// The tile that opens the Button Style gallery writes its caption itself: every line of it lies
// inside the tile, measured in the font it is drawn in, in both layouts as the window first opens,
// in English and in a language whose texts are half as long again.
TEST_F(EveryWindow, TheMoreButtonSetsTileShowsItsWholeCaptionInBothLayouts)
{
    // Every caption of the tile, with where its text falls in the tile; "" once all lie inside it.
    const auto cut = [](TGalleryTile *tile, QStringList *texts) {
        QStringList out;
        for (QLabel *label : tile->findChildren<QLabel *>()) {
            if (label->text().isEmpty() || !label->isVisible())
                continue;
            *texts << label->text();
            const QRect room = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
            const QRect text = QFontMetrics(label->font()).boundingRect(room, flags, label->text());
            const QRect inTile(label->mapTo(tile, text.topLeft()), text.size());
            if (!room.contains(text) || !tile->rect().contains(inTile))
                out << QStringLiteral("\"%1\" at %2 in a tile of %3x%4")
                           .arg(label->text(), fitcheck::RectText(inTile))
                           .arg(tile->width())
                           .arg(tile->height());
        }
        return out;
    };
    const auto check = [&](const QString &language) {
        for (const bool horizontal : {true, false}) {
            SCOPED_TRACE((language + (horizontal ? " horizontal" : " vertical")).toStdString());
            TfrmMain w(prog.path());
            w.FitToScreen(QRect(0, 0, 1366, 736));
            w.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
            // Chosen in the shown window: the horizontal tile takes the language's texts, the
            // vertical one is made anew with them.
            if (language != "English")
                w.findChild<QAction *>("miLang" + language)->trigger();
            w.Design().SetNoProject(false);
            w.SetOrientation(horizontal);
            TGalleryTile *tile = w.fraMenuButtonShortList1->CustomTile();
            ASSERT_TRUE(tile);
            QStringList texts, wrong;
            (void)QTest::qWaitFor([&] {
                texts.clear();
                wrong = cut(tile, &texts);
                return wrong.isEmpty() && texts.size() == 2;
            }, 10000);
            EXPECT_EQ(texts.size(), 2) << texts.join(" | ").toStdString();
            EXPECT_TRUE(wrong.isEmpty()) << wrong.join("\n").toStdString();
            if (language != "English") {
                for (const QString &text : texts)
                    EXPECT_TRUE(text.endsWith("eeee")) << text.toStdString();
            }
        }
    };
    check("English");

    // Each text of the tile half as long again.
    {
        TfrmMain w(prog.path());
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QString section = "frmMain." + w.fraMenuButtonShortList1->objectName();
        prog.write("Lang/Longer.dic", "[Global]\r\nAppTitle=Tolvanar\r\n");
        IniFile ini(prog.file("Lang/Longer.dic"));
        for (QLabel *label : w.fraMenuButtonShortList1->CustomTile()->findChildren<QLabel *>())
            if (!label->objectName().isEmpty() && !label->text().isEmpty())
                ini.WriteString(section, "c_" + label->objectName(),
                                label->text() + " " + QString(label->text().size() / 2, QChar('e')));
    }
    check("Longer");
}

TEST_F(EveryWindow, OnASmallScreenTheMainWindowFitsCentredWithItsBottomRowInReach)
{
    for (const QRect &area : {QRect(0, 0, 1366, 736), QRect(0, 0, 1024, 570), QRect(0, 30, 1024, 570)}) {
        TfrmMain w(prog.path());
        w.FitToScreen(area);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(area.contains(w.frameGeometry())) << fitcheck::RectText(w.frameGeometry()).toStdString();
        EXPECT_LE(std::abs(w.frameGeometry().center().x() - area.center().x()), 1);
        EXPECT_LE(std::abs(w.frameGeometry().center().y() - area.center().y()), 1);
        for (QPushButton *b : {w.btnSave, w.btnPublish, w.btnRefresh, w.btnPreview, w.btnClose}) {
            // Inside every parent up to the window: nothing hides it.
            for (QWidget *c = b; c != &w; c = c->parentWidget())
                EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
                    << b->objectName().toStdString() << " in " << area.height();
        }
    }
}
