// The preset design gallery: page captions with package titles, the preview job's exchange folder, the
// job's races with new selections and with closing, and designs that fail.
#include "GalleryTestSupport.h"
#include "uPackages.h"
#include "Messages.h"
#include "Trans.h"
#include "uPresetDesign.h"
#include "uMenuXml.h"
#include "uXMLUtils.h"
#include "uGlobal.h"

#include <QComboBox>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(GalleryPageCaptions, AWholePackagePageShowsItsTitle)
{
    SetDefaultTexts();
    InitPackages();
    QStringList captions{"tvnr001 - tvnr006", "tvnr007 - tvnr011", "tvmjy001 - tvmjy006", "tvmspt007 - tvmspt012"};
    ReplacePackageCaptions(captions);
    EXPECT_EQ(captions, (QStringList{"Standard Theme", "tvnr007 - tvnr011", "Jet & Yacht Theme 1.0", "Sport Theme 2.0"}));
}

TEST(PackageTemplates, TableOrderThenTheOtherDesignsSorted)
{
    SetDefaultTexts();
    InitPackages();
    TempFolder dir;
    for (const char *name : {"zeta.xml", "tvmbiz007.xml", "tvnr002.xml", "Alpha.XML", "tvnr001.xml", "tvnr013.xml",
                             "notes.txt"})
        dir.write(name, "<x/>");
    QStringList list;
    ListPackageTemplates(dir.path(), list);
    ListOtherTemplates(dir.path(), list);
    EXPECT_EQ(list, (QStringList{"tvnr001", "tvnr002", "tvmbiz007", "Alpha", "tvnr013", "zeta"}));
}

// ---- The preview job -------------------------------------------------------------------------

class PresetGallery : public testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultTexts();
        InitPackages();
        LanguageName = QStringLiteral("English");
        CopyShippedTemplatesTo(prog);
    }
    void TearDown() override { SetRefreshStepHook(nullptr); }

    QString templates() const { return prog.file("Templates/"); }
    QString exchange(const QString &name = QString()) const { return prog.file("Templates/Preview/") + name; }
    QString designFile(const QString &id) const { return prog.file("Templates/Horizontal/Template/") + id + ".xml"; }

    // A job over a design file as the dialog makes it.
    std::unique_ptr<TRefreshThread> makeJob(const QString &designPath, TXMLUtils &xml, QSize browser = {700, 170})
    {
        auto job = std::make_unique<TRefreshThread>();
        job->FTemplatesDir = templates();
        job->FXmlUtils = &xml;
        job->FBrowserWidth = browser.width();
        job->FBrowserHeight = browser.height();
        job->FDesignDoc = std::make_unique<pugi::xml_document>();
        job->FDesignDoc->load_file(designPath.toUtf8().constData());
        job->FOptionsDoc = std::make_unique<pugi::xml_document>();
        job->FOptionsDoc->load_file((templates() + "HTMLOptions.xml").toUtf8().constData());
        job->FDemoBlock = ExtractDemoElement(designPath);
        job->FHorizontal = true;
        job->FOrientationDir = QStringLiteral("Horizontal\\");
        job->FJobNumber = 7;
        return job;
    }

    TempFolder prog;
    FakeBrowserPanes browsers;
    ScriptedMessageBox boxes;
};

TEST_F(PresetGallery, JobWritesTheWholePreviewSetAndAsksForNavigation)
{
    TXMLUtils xml;
    auto job = makeJob(designFile("tvnr001"), xml);
    QStringList pages;
    QObject::connect(job.get(), &TRefreshThread::PageWritten,
                     [&](quint64 n, const QString &page) { pages << QStringLiteral("%1 %2").arg(n).arg(page); });
    job->start();
    ASSERT_TRUE(job->wait(20000));
    ASSERT_TRUE(job->Succeeded()) << job->ErrorText().toStdString();
    EXPECT_TRUE(job->DocumentsReleased());
    ASSERT_TRUE(WaitUntil([&] { return !pages.isEmpty(); }));
    EXPECT_EQ(pages, QStringList{"7 " + exchange("flashmenu.htm")});

    for (const char *file : {"tvnr001.swf", "AC_RunActiveContent.js", "flashmenu.htm", "flashmenu.xml",
                             "flashmenu/tvnr001.jpg", "flashmenu/02.png", "flashmenu/home.jpg", "flashmenu/mail.jpg",
                             "flashmenu/phone.jpg", "flashmenu/info.jpg"})
        EXPECT_TRUE(QFileInfo::exists(exchange(file))) << file;

    const TXMLUtils written(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml"))));
    EXPECT_EQ(written.GetMenuFileSrc(), "tvnr001.swf");
    EXPECT_EQ(written.GetBackgroundSrc(), "flashmenu\\tvnr001.jpg");
    EXPECT_EQ(written.GetMainImgSrc(), "flashmenu\\02.png");
    EXPECT_EQ(written.GetSoundSrc(), "flashmenu\\");
    EXPECT_EQ(written.GetIconLinkImg(1), "flashmenu\\home.jpg");
    EXPECT_EQ(written.GetIconLinkImg(4), "flashmenu\\info.jpg");
    // The demo block comes back as it stood in the design.
    EXPECT_TRUE(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml")))
                    .contains("<demo><note><![CDATA[Sample design of the Standard theme"));

    // The background (760 x 150) is wider than the 700 pane: 8 narrower; it is not higher.
    const QString page = QString::fromUtf8(ReadFileBytes(exchange("flashmenu.htm")));
    EXPECT_TRUE(ReadFileBytes(exchange("flashmenu.htm")).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(page.contains(R"(data-movie="tvnr001.swf" data-width="692" data-height="150")")) << page.toStdString();
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(PresetGallery, JobOnALowPaneTakesThePaneHeight)
{
    TXMLUtils xml;
    auto job = makeJob(designFile("tvnr001"), xml, {900, 120});
    job->start();
    ASSERT_TRUE(job->wait(20000));
    const QString page = QString::fromUtf8(ReadFileBytes(exchange("flashmenu.htm")));
    EXPECT_TRUE(page.contains(R"(data-width="760" data-height="120")"));
}

TEST_F(PresetGallery, AFailingStepEndsTheJobQuietlyAndReleasesItsDocuments)
{
    prog.write("Templates/Horizontal/Template/nomovie.xml",
               "<WebMenuOptions type=\"h\"><design><background src=\"BGround\\tvnr001.jpg\" width=\"10\" "
               "height=\"10\"/></design></WebMenuOptions>");
    prog.write("Templates/Preview/flashmenu.htm", "old page");
    TXMLUtils xml;
    auto job = makeJob(designFile("nomovie"), xml);
    bool asked = false;
    QObject::connect(job.get(), &TRefreshThread::PageWritten, [&] { asked = true; });
    job->start();
    ASSERT_TRUE(job->wait(20000));
    EXPECT_FALSE(job->Succeeded());
    EXPECT_FALSE(job->ErrorText().isEmpty());
    EXPECT_TRUE(job->DocumentsReleased());
    QTest::qWait(50);
    EXPECT_FALSE(asked);
    EXPECT_EQ(prog.read("Templates/Preview/flashmenu.htm"), "old page");
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(PresetGallery, NamesThatClimbOutOfTheTemplatesCopyNothing)
{
    TempFolder outside;
    outside.write("secret.jpg", "secret");
    const QString climb = QString("..\\..\\..\\..\\..\\..\\..\\..") + outside.path() + "secret.jpg";
    QString design = QString::fromUtf8(ReadFileBytes(designFile("tvnr001")));
    design.replace("Images\\02.png", outside.file("secret.jpg"));
    design.replace("IconLink\\home.jpg", climb);
    design.replace("BGround\\tvnr001.jpg", "..\\..\\..\\secret.jpg");
    prog.write("Templates/Horizontal/Template/hostile.xml", design.toUtf8());
    TXMLUtils xml;
    auto job = makeJob(designFile("hostile"), xml);
    job->start();
    ASSERT_TRUE(job->wait(20000));
    EXPECT_TRUE(job->Succeeded());
    EXPECT_FALSE(QFileInfo::exists(exchange("flashmenu/secret.jpg")));
    const TXMLUtils written(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml"))));
    EXPECT_EQ(written.GetMainImgSrc(), "flashmenu\\secret.jpg");
}

// ---- The dialog --------------------------------------------------------------------------------

// Records the steps of every job in the order they ran.
struct StepLog {
    QMutex mutex;
    QStringList steps;
    void add(const char *step)
    {
        QMutexLocker lock(&mutex);
        steps << QString::fromLatin1(step);
    }
    int runs()
    {
        QMutexLocker lock(&mutex);
        return int(steps.count("load"));
    }
};

const QString WholeJob = "load movie background sound logo icons size description script page navigate";

TEST_F(PresetGallery, OpeningListsThePackagesAndShowsTheFirstPage)
{
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    EXPECT_EQ(dialog.FDesignNames.size(), 16);
    EXPECT_EQ(dialog.FDesignNames.first(), "tvnr001");
    EXPECT_EQ(dialog.cbTemplateID->count(), 3);
    EXPECT_EQ(dialog.cbTemplateID->itemText(0), "tvnr001 - tvmgbl001");
    EXPECT_EQ(dialog.cbTemplateID2->count(), 3);
    EXPECT_EQ(dialog.lblTemplateName->text(), "tvnr001 - tvmgbl001");
    EXPECT_EQ(dialog.Tiles().size(), 6);
    EXPECT_TRUE(dialog.btnNext->isEnabled());
    EXPECT_FALSE(dialog.btnPrev2->isEnabled());
    EXPECT_EQ(dialog.FPager.FLastDirection, "Next");

    dialog.btnNextClick();
    EXPECT_EQ(dialog.cbTemplateID->currentIndex(), 1);
    EXPECT_EQ(dialog.cbTemplateID2->currentIndex(), 1);
    EXPECT_EQ(dialog.Tiles().first()->Tag(), 6);
    dialog.btnNextClick();
    EXPECT_EQ(dialog.Tiles().size(), 4);
    EXPECT_FALSE(dialog.btnNext2->isEnabled());
    dialog.btnPrevClick();
    EXPECT_EQ(dialog.Tiles().first()->Tag(), 6);
    dialog.cbTemplateID2->setCurrentIndex(0);
    dialog.cbTemplateID2Change();
    EXPECT_EQ(dialog.cbTemplateID->currentIndex(), 0);
    EXPECT_EQ(dialog.Tiles().first()->Tag(), 0);
    dialog.WaitForRefresh();
}

TEST_F(PresetGallery, AnAmpersandOfAPackageTitleShowsAsItself)
{
    const QString folder = prog.file("Templates/Horizontal/Template/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (int i = 1; i <= 6; ++i)
        prog.write(QStringLiteral("Templates/Horizontal/Template/tvmjy%1.xml").arg(i, 3, 10, QLatin1Char('0')), "<x/>");
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    EXPECT_EQ(dialog.cbTemplateID->itemText(0), "Jet & Yacht Theme 1.0");
    EXPECT_EQ(dialog.cbTemplateID2->itemText(0), "Jet & Yacht Theme 1.0");
    EXPECT_EQ(dialog.lblTemplateName->text(), "Jet & Yacht Theme 1.0");
    EXPECT_EQ(dialog.lblTemplateName->textFormat(), Qt::PlainText);
}

TEST_F(PresetGallery, OpeningSelectsAndPreviewsTheFirstDesignAndOkLeavesItsSetForTheNewProject)
{
    bool back = false;
    WhenShown<TfrmPresetDesign>([&](TfrmPresetDesign *d) {
        EXPECT_FALSE(d->btnBack->isVisible());
        ASSERT_TRUE(WaitUntil([&] { return !browsers.last->visits.isEmpty(); }));
        EXPECT_EQ(d->FSelectedDesign, "tvnr001.xml");
        EXPECT_EQ(browsers.last->visits, QStringList{exchange("flashmenu.htm")});
        d->btnCreate->click();
    });
    ASSERT_TRUE(ShowPresetDesign(templates(), true, back));
    EXPECT_FALSE(back);

    // What New takes from the exchange folder: the description, the page options, the menu movie
    // and every medium that the description names.
    const TXMLUtils xml(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml"))));
    EXPECT_EQ(xml.GetMenuFileSrc(), "tvnr001.swf");
    EXPECT_EQ(ReadFileBytes(exchange("HTMLOptions.xml")), ReadFileBytes(templates() + "HTMLOptions.xml"));
    EXPECT_TRUE(QFileInfo::exists(exchange(xml.GetMenuFileSrc())));
    QStringList named{xml.GetBackgroundSrc(), xml.GetMainImgSrc()};
    for (int n = 1; n <= 4; ++n)
        named << xml.GetIconLinkImg(n);
    for (const QString &name : named)
        EXPECT_TRUE(QFileInfo::exists(exchange(QString(name).replace('\\', '/')))) << name.toStdString();
}

TEST_F(PresetGallery, BackAndCancel)
{
    bool back = true;
    WhenShown<TfrmPresetDesign>([](TfrmPresetDesign *d) {
        EXPECT_TRUE(d->btnBack->isVisible());
        d->btnBack->click();
    });
    EXPECT_FALSE(ShowPresetDesign(templates(), true, back));
    EXPECT_TRUE(back);

    WhenShown<TfrmPresetDesign>([](TfrmPresetDesign *d) { d->btnCancel->click(); });
    EXPECT_FALSE(ShowPresetDesign(templates(), true, back));
    EXPECT_FALSE(back);
}

TEST_F(PresetGallery, ASelectionWhileAJobRunsWaitsForItsEnd)
{
    StepLog log;
    SetRefreshStepHook([&](const char *step) {
        log.add(step);
        if (QByteArray(step) == "movie" && log.runs() == 1)
            QThread::msleep(300);  // the first job is still busy when the next selections come
    });
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    const QList<TGalleryTile *> tiles = dialog.Tiles();
    dialog.SelectDesign(tiles[0]);
    dialog.SelectDesign(tiles[1]);
    dialog.SelectDesign(tiles[2]);
    dialog.WaitForRefresh();
    // Three whole jobs one after the other: none began before the previous one had ended.
    EXPECT_EQ(log.steps.join(' ').toStdString(), (WholeJob + ' ' + WholeJob + ' ' + WholeJob).toStdString());

    // The last selection's set, and only its page is shown.
    const TXMLUtils xml(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml"))));
    EXPECT_EQ(xml.GetMenuFileSrc(), dialog.FDesignNames[2] + ".swf");
    EXPECT_TRUE(WaitUntil([&] { return !browsers.last->visits.isEmpty(); }));
    QTest::qWait(50);
    EXPECT_EQ(browsers.last->visits, QStringList{exchange("flashmenu.htm")});
}

TEST_F(PresetGallery, OkAndCloseWaitForTheRunningJob)
{
    std::atomic<bool> ended{false};
    SetRefreshStepHook([&](const char *step) {
        if (QByteArray(step) == "movie")
            QThread::msleep(300);
        if (QByteArray(step) == "navigate")
            ended = true;
    });
    {
        TfrmPresetDesign dialog(templates(), true);
        dialog.LoadDesigns();
        dialog.SelectDesign(dialog.Tiles()[1]);
        EXPECT_FALSE(ended);
        dialog.btnCreateClick();
        EXPECT_TRUE(ended);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const TXMLUtils xml(QString::fromUtf8(ReadFileBytes(exchange("flashmenu.xml"))));
        EXPECT_EQ(xml.GetMenuFileSrc(), dialog.FDesignNames[1] + ".swf");
    }
    ended = false;
    {
        TfrmPresetDesign dialog(templates(), true);
        dialog.LoadDesigns();
        dialog.SelectDesign(dialog.Tiles()[2]);
        dialog.reject();
        EXPECT_TRUE(ended);
    }
    ended = false;
    // Freed while its job runs: the job still ends whole, and its page is never navigated to.
    auto *dialog = new TfrmPresetDesign(templates(), true);
    dialog->LoadDesigns();
    dialog->SelectDesign(dialog->Tiles()[3]);
    RecordingPane *pane = browsers.last;
    delete dialog;
    EXPECT_TRUE(ended);
    QTest::qWait(50);
    (void)pane;  // freed with its dialog; no request reached it (a crash would show here)
}

TEST_F(PresetGallery, ADesignThatDoesNotReadCannotBeChosen)
{
    prog.write("Templates/Horizontal/Template/broken.xml", "<WebMenuOptions><design>");
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    dialog.SelectDesign(dialog.Tiles()[0]);
    dialog.WaitForRefresh();
    const QByteArray good = prog.read("Templates/Preview/flashmenu.xml");
    ASSERT_FALSE(good.isEmpty());

    // Page 3 holds the other designs: tvnr..., then "broken".
    const int brokenIndex = int(dialog.FDesignNames.indexOf("broken"));
    ASSERT_GE(brokenIndex, 0);
    dialog.cbTemplateID->setCurrentIndex(brokenIndex / 6);
    dialog.cbTemplateIDChange();
    TGalleryTile *brokenTile = nullptr;
    for (TGalleryTile *t : dialog.Tiles())
        if (t->Tag() == brokenIndex)
            brokenTile = t;
    ASSERT_NE(brokenTile, nullptr);
    dialog.SelectDesign(brokenTile);
    EXPECT_TRUE(dialog.FSelectedDesign.isEmpty());
    EXPECT_EQ(prog.read("Templates/Preview/flashmenu.xml"), good);
    EXPECT_EQ(browsers.last->visits.last(), "about:blank");

    dialog.btnCreateClick();
    EXPECT_EQ(boxes.texts(), QStringList{"The preview of the selected design could not be made."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(PresetGallery, ADesignWhoseJobFailsIsNotTakenByOk)
{
    prog.write("Templates/Horizontal/Template/tvnr002.xml",
               "<WebMenuOptions type=\"h\"><design><background src=\"x.jpg\" width=\"1\" height=\"1\"/></design>"
               "</WebMenuOptions>");
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    ASSERT_EQ(dialog.FDesignNames[1], "tvnr002");
    dialog.SelectDesign(dialog.Tiles()[1]);
    dialog.btnCreateClick();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts()[0], "The preview of the selected design could not be made.\n\n"
                                + dialog.FRefreshThread->ErrorText());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.FRefreshThread->DocumentsReleased());
}

TEST_F(PresetGallery, AnEmptyDesignFolderShowsNoTilesAndRefusesOk)
{
    QDir(prog.file("Templates/Horizontal/Template")).removeRecursively();
    TfrmPresetDesign dialog(templates(), true);
    dialog.LoadDesigns();
    EXPECT_TRUE(dialog.Tiles().isEmpty());
    EXPECT_FALSE(dialog.btnNext->isEnabled());
    EXPECT_FALSE(dialog.btnPrev->isEnabled());
    dialog.btnCreateClick();
    EXPECT_EQ(boxes.texts(), QStringList{"You do not select any file"});
}

} // namespace
