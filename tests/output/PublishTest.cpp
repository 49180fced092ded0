// Publishing into an output folder: the files of each output type, the published description, the
// pages, the media, the dialogs' cancel, the closing messages and the failures on the way.
#include "Errors.h"
#include "PublishFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

QStringList FilesUnder(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(folder).relativeFilePath(it.next());
    out.sort();
    return out;
}

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

// Everyone may enter, read and write: the unprivileged user of a test reaches the program folder.
void OpenToAll(const QString &path)
{
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                     | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const auto enter = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    QFile::setPermissions(path, all | enter);
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        QFile::setPermissions(p, QFileInfo(p).isDir() ? all | enter : all);
    }
}

// The publish settings answer of each output type, with the files it writes.
std::vector<std::pair<QString, QStringList>> OutputTypes()
{
    const QStringList common{"AC_RunActiveContent.js", "flashmenu.swf", "flashmenu.xml", "flashmenu.xml.js"};
    return {
        {"0=-1", Sorted(common + QStringList{"flashmenu.htm"} + MediaFiles)},
        {"1=-1", Sorted(common + QStringList{"flashmenu.htm", "index.htm", "mainbody.htm", "style.css", "tvnr.gif"} + MediaFiles)},
        {"2=-1", Sorted(common + QStringList{"index.htm", "style.css", "tvnr.gif"} + MediaFiles)},
        {"3=-1", Sorted(common + QStringList{"autorun.inf", "flashmenu.htm"} + MediaFiles)},
    };
}

// Runs action in a child process whose user may have at most `threads` processes and threads at
// once. Root passes any such limit, so root's child becomes the unprivileged user first. The child's
// exit status: 0 when action returned, 1 with the text on stderr when it raised, -1 when the child
// did not end normally.
int InChildWithThreads(rlim_t threads, const std::function<void()> &action)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{threads, threads};
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (setrlimit(RLIMIT_NPROC, &limit) != 0)
            _exit(2);
        try {
            action();
        } catch (const std::exception &e) {
            const QByteArray text = QByteArray(e.what()) + '\n';
            (void)!write(STDERR_FILENO, text.constData(), size_t(text.size()));
            _exit(1);
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST_F(Publish, EachOutputTypeWritesItsFilesAndNoMore)
{
    for (const auto &[answer, expected] : OutputTypes()) {
        SCOPED_TRACE(answer.toStdString());
        QDir(out()).removeRecursively();
        QDir().mkpath(out());
        EXPECT_EQ(publish(answer), out());
        EXPECT_EQ(FilesUnder(out()), expected);
        EXPECT_EQ(ReadFileBytes(out() + "flashmenu.swf"), "movie");
        for (const QString &name : MediaFiles)
            EXPECT_EQ(ReadFileBytes(out() + name), name.toUtf8());
        EXPECT_EQ(ReadFileBytes(out() + "AC_RunActiveContent.js"),
                  prog.read("Templates/Vertical/HTML/AC_RunActiveContent.js"));
        for (const QString &name : expected)
            if (name.endsWith(".htm") && name != "mainbody.htm") {
                EXPECT_FALSE(outText(name).contains("%HTML_")) << name.toStdString();
                EXPECT_FALSE(outText(name).contains("%CONTENT_")) << name.toStdString();
                EXPECT_TRUE(outText(name).contains("Site &amp; Co")) << name.toStdString();
            }
    }
    EXPECT_EQ(ReadFileBytes(outRoot.file("site/autorun.inf")), prog.read("Templates/autorun.inf"));
}

TEST_F(Publish, TheDescriptionIsPublishedWithSlashesTheFixedMovieNameAndEverySound)
{
    design.Controls.MuteDuringDesign = true;
    publish("0=-1");
    const QString published = outText("flashmenu.xml");
    EXPECT_FALSE(published.contains('\\'));
    EXPECT_TRUE(published.contains(R"(<menufile src="flashmenu.swf" id="tvmbiz001" />)")) << published.toStdString();
    EXPECT_TRUE(published.contains(R"(<background src="flashmenu/bg.jpg")"));
    EXPECT_TRUE(published.contains(R"(<img id="logo" src="flashmenu/logo.jpg")"));
    EXPECT_TRUE(published.contains(R"(<sound id="background" src="flashmenu/music.mp3")"));
    EXPECT_TRUE(published.contains(R"(<item id="1" img="flashmenu/home.jpg")"));
    EXPECT_TRUE(published.contains(R"(<item id="3" img="flashmenu/mail.jpg")"));

    // The working folder keeps the design form: stored names, the working movie, the muted sound.
    const QString work = workText("flashmenu.xml");
    EXPECT_TRUE(work.contains(R"(<menufile src="tvmbiz001.swf" id="tvmbiz001" />)"));
    EXPECT_TRUE(work.contains(R"(<background src="flashmenu\bg.jpg")"));
    EXPECT_TRUE(work.contains(R"(<sound id="background" src="")"));
}

TEST_F(Publish, ThePublishedMenuPageAndTheRebuiltPreviewPage)
{
    publish("0=-1");
    const QString published = outText("flashmenu.htm");
    EXPECT_TRUE(published.contains("flashmenu.swf"));
    EXPECT_FALSE(published.contains("tvmbiz001.swf"));
    EXPECT_FALSE(published.contains("\" scroll=\"no\">"));
    // The closing refresh puts the preview form back and shows it.
    const QString work = workText("flashmenu.htm");
    EXPECT_TRUE(work.contains("tvmbiz001.swf"));
    EXPECT_TRUE(work.contains("\" scroll=\"no\">"));
    EXPECT_EQ(window.pane.visited, QStringList{prog.file("MenuPreview/flashmenu.htm")});
}

TEST_F(Publish, TheFramesetPutsTheMenuOnTheRightOnlyForSideOne)
{
    const QString menuFrame = R"(src="flashmenu.htm")";
    const QString contentFrame = R"(<frame name="mainFrame" src="mainbody.htm">)";
    for (const auto &[answer, right] : {std::pair{"1=1", true}, std::pair{"1=0", false}, std::pair{"1=-1", false}}) {
        SCOPED_TRACE(answer);
        publish(answer);
        const QString index = outText("index.htm");
        ASSERT_TRUE(index.contains(menuFrame) && index.contains(contentFrame));
        EXPECT_EQ(index.indexOf(menuFrame) > index.indexOf(contentFrame), right);
        EXPECT_TRUE(index.contains(right ? R"(<frameset cols="*,240")" : R"(<frameset cols="240,*")"));
    }
    EXPECT_EQ(ReadFileBytes(out() + "mainbody.htm"), prog.read("Templates/Vertical/HTML/MainBody.htm"));

    // The whole frameset of the right side: the menu frame as wide as the pane.
    publish("1=1");
    EXPECT_EQ(ReadFileBytes(out() + "index.htm"), QByteArray("\xEF\xBB\xBF"
        "<!DOCTYPE html>\n"
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n"
        "<title>Site &amp; Co</title>\n"
        "<meta name=\"description\" content=\"\">\n"
        "<meta name=\"keywords\" content=\"\">\n"
        "<script src=\"AC_RunActiveContent.js\"></script>\n"
        "</head>\n"
        "<frameset cols=\"*,240\" frameborder=\"0\" border=\"0\" framespacing=\"0\">\n"
        "<frame name=\"mainFrame\" src=\"mainbody.htm\">\n"
        "<frame name=\"main\" scrolling=\"NO\" noresize src=\"flashmenu.htm\">\n"
        "<noframes>\n"
        "<body bgcolor=\"#FFFFFF\" >\n"
        "<p><a href=\"flashmenu.htm\">Menu</a> | <a href=\"mainbody.htm\">Content</a></p>\n"
        "</body>\n"
        "</noframes>\n"
        "</frameset>\n"
        "</html>\n"));
}

TEST_F(Publish, ThePageWithoutFramesSwapsItsBodiesForSideOneAndTheNextPublishPreselectsTheAnswer)
{
    const QString content = "<h1>Welcome</h1>";
    const QString menu = "flashmenu.swf";
    publish("2=1");
    QString index = outText("index.htm");
    EXPECT_GT(index.indexOf(menu), index.indexOf(content));
    EXPECT_FALSE(QFileInfo::exists(out() + "flashmenu.htm"));
    EXPECT_FALSE(QFileInfo::exists(out() + "mainbody.htm"));
    EXPECT_EQ(design.FPublishOutputType, 2);
    EXPECT_EQ(design.FPublishMenuSide, 1);

    publish("2=-1");
    index = outText("index.htm");
    EXPECT_LT(index.indexOf(menu), index.indexOf(content));
    EXPECT_EQ(window.settingsAsked, (QList<std::pair<int, int>>{{0, -1}, {2, 1}}));
}

TEST_F(Publish, CancelInEitherDialogWritesNothingOutsideTheWorkingFolder)
{
    QFile::remove(prog.file("MenuPreview/flashmenu.xml"));
    EXPECT_EQ(publish("-1"), QString());
    EXPECT_TRUE(window.folderTitles.isEmpty());
    EXPECT_EQ(design.FPublishOutputType, 0);
    EXPECT_EQ(design.FPublishMenuSide, -1);
    // The description and the page options are rewritten before the question.
    EXPECT_TRUE(prog.exists("MenuPreview/flashmenu.xml"));
    EXPECT_TRUE(prog.exists("MenuPreview/HTMLOptions.xml"));

    window.settingsAnswer = "1=1";
    window.folderAnswer = QString();
    EXPECT_EQ(a_PublishExecute(design, page, preview, window, paths), QString());
    EXPECT_EQ(window.folderTitles, QStringList{"Publish Flash Menu To.."});
    // The answer is kept although the folder dialog was cancelled.
    EXPECT_EQ(design.FPublishOutputType, 1);
    EXPECT_EQ(design.FPublishMenuSide, 1);

    EXPECT_TRUE(FilesUnder(out()).isEmpty());
    EXPECT_FALSE(prog.exists("MenuPreview/flashmenu.htm"));
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_TRUE(openedPages.isEmpty());
    EXPECT_TRUE(window.pane.visited.isEmpty());
}

TEST_F(Publish, TheOpenPageQuestionOpensThePageOnlyOnYes)
{
    publish("0=-1");
    ASSERT_EQ(box.shown().size(), 1);
    const MessageBoxRequest &asked = box.shown().first();
    EXPECT_EQ(asked.text, "Project published in  [ " + out() + " ]\r\nOpen HTML file in browser now?");
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(asked.buttons, (QList<int>{mrYes, mrNo}));
    EXPECT_TRUE(openedPages.isEmpty());
    EXPECT_EQ(window.pane.visited.size(), 1); // the preview is rebuilt after No as well

    box.answer(mrYes);
    publish("1=-1");
    EXPECT_EQ(openedPages, QStringList{out() + "index.htm"});
    box.answer(mrYes);
    publish("0=-1");
    EXPECT_EQ(openedPages, (QStringList{out() + "index.htm", out() + "flashmenu.htm"}));
    EXPECT_TRUE(openedFolders.isEmpty());
}

TEST_F(Publish, TheCdRomIsReportedAndItsFolderOpened)
{
    publish("3=-1");
    ASSERT_EQ(box.texts(), QStringList{"Your project is published as CDROM format at\n\r" + out()
                                       + "\n\r\n\rClick OK to open file location"});
    EXPECT_EQ(box.shown().first().icon, MsgIcon::Information);
    EXPECT_EQ(box.shown().first().buttons, QList<int>{mrOK});
    EXPECT_EQ(openedFolders, QStringList{out()});
    EXPECT_TRUE(openedPages.isEmpty());
    EXPECT_EQ(window.pane.visited.size(), 1);
}

TEST_F(Publish, MediaNamesThatClimbOutAreNeitherReadNorWritten)
{
    prog.write("secret.jpg", "program folder");
    outRoot.write("elsewhere.jpg", "outside");
    design.Controls.BackgroundImage = "..\\..\\secret.jpg";        // flashmenu\..\..\secret.jpg
    design.Controls.LogoImage = "../../../" + QFileInfo(prog.path()).fileName() + "/secret.jpg";
    design.Controls.BackgroundSound = "..\\x.mp3";
    design.FIconInfo.Items[0].Img = outRoot.file("elsewhere.jpg");  // absolute
    design.FIconInfo.Items[1].Img = "C:\\flashmenu\\home.jpg";
    design.FIconInfo.Items[2].Img = "flashmenu\\..\\..\\secret.jpg";
    // A link inside the working folder to a file outside it.
    ASSERT_TRUE(QFile::link(prog.file("secret.jpg"), prog.file("MenuPreview/flashmenu/link.jpg")));
    design.FIconInfo.Items[3].Img = "flashmenu\\link.jpg";

    publish("0=-1");
    EXPECT_EQ(FilesUnder(out()),
              Sorted({"AC_RunActiveContent.js", "flashmenu.htm", "flashmenu.swf", "flashmenu.xml", "flashmenu.xml.js"}));
    EXPECT_TRUE(QFileInfo(out() + "flashmenu").isDir());
    EXPECT_EQ(FilesUnder(outRoot.path()), Sorted({"elsewhere.jpg", "site/AC_RunActiveContent.js", "site/flashmenu.htm",
                                                  "site/flashmenu.swf", "site/flashmenu.xml", "site/flashmenu.xml.js"}));
    EXPECT_EQ(outRoot.read("elsewhere.jpg"), "outside");
}

TEST_F(Publish, AMediaNameNeverReplacesAFileThePublishWrote)
{
    design.Controls.BackgroundImage.clear();
    design.FIconInfo.Items[0].Img = "flashmenu.xml";
    design.FIconInfo.Items[1].Img = "index.htm";
    design.FIconInfo.Items[2].Img = "tvmbiz001.swf";
    design.FIconInfo.Items[3].Img = "flashmenu.xml.js";
    prog.write("MenuPreview/index.htm", "working frameset");
    prog.write("MenuPreview/flashmenu.xml.js", "working script");
    publish("2=-1");
    EXPECT_FALSE(outText("flashmenu.xml").contains('\\'));
    EXPECT_TRUE(outText("flashmenu.xml").contains(R"(<item id="1" img="flashmenu.xml")"));
    EXPECT_NE(ReadFileBytes(out() + "index.htm"), "working frameset");
    EXPECT_EQ(ReadFileBytes(out() + "flashmenu.xml.js"), MenuXmlScript(ReadFileBytes(out() + "flashmenu.xml")));
    // A name inside the working folder that nothing else wrote is copied.
    EXPECT_EQ(ReadFileBytes(out() + "tvmbiz001.swf"), "movie");
}

TEST_F(Publish, ExistingFilesAreReplacedAndOthersStay)
{
    WriteFileBytes(out() + "flashmenu.xml", "old");
    WriteFileBytes(out() + "flashmenu/bg.jpg", "old picture");
    WriteFileBytes(out() + "keep.txt", "mine");
    publish("2=-1");
    publish("0=-1");
    EXPECT_EQ(ReadFileBytes(out() + "keep.txt"), "mine");
    EXPECT_EQ(ReadFileBytes(out() + "flashmenu/bg.jpg"), "flashmenu/bg.jpg");
    EXPECT_TRUE(outText("flashmenu.xml").contains("<WebMenuOptions"));
    // Both publishes leave their files.
    EXPECT_EQ(FilesUnder(out()), Sorted(QStringList{"AC_RunActiveContent.js", "flashmenu.htm", "flashmenu.swf",
                                                    "flashmenu.xml", "flashmenu.xml.js", "index.htm", "keep.txt",
                                                    "style.css", "tvnr.gif"}
                                        + MediaFiles));
}

TEST_F(Publish, ADesignWithoutMediaPublishesAnEmptyMediaFolder)
{
    design.Controls.BackgroundImage.clear();
    design.Controls.LogoImage.clear();
    design.Controls.BackgroundSound.clear();
    for (auto &item : design.FIconInfo.Items)
        item.Img.clear();
    publish("3=-1");
    EXPECT_TRUE(QFileInfo(out() + "flashmenu").isDir());
    EXPECT_TRUE(FilesUnder(out() + "flashmenu").isEmpty());
}

TEST_F(Publish, MissingCopiedFilesAreSkippedSilently)
{
    for (const char *name : {"style.css", "tvnr.gif", "AC_RunActiveContent.js", "MainBody.htm"})
        QFile::remove(prog.file(QStringLiteral("Templates/Vertical/HTML/") + name));
    QFile::remove(prog.file("Templates/autorun.inf"));
    QFile::remove(prog.file("MenuPreview/tvmbiz001.swf"));
    QFile::remove(prog.file("MenuPreview/flashmenu/music.mp3"));
    publish("1=-1");
    EXPECT_EQ(FilesUnder(out()), Sorted({"flashmenu.htm", "flashmenu.xml", "flashmenu.xml.js", "index.htm", "flashmenu/bg.jpg",
                                         "flashmenu/home.jpg", "flashmenu/logo.jpg", "flashmenu/mail.jpg"}));
    publish("3=-1");
    EXPECT_FALSE(QFileInfo::exists(out() + "autorun.inf"));
    EXPECT_EQ(box.shown().size(), 2); // the question and the CD-ROM report, no error
}

TEST_F(Publish, TheWorkingFolderIsRefusedAsOutputFolder)
{
    const QByteArray before = prog.read("MenuPreview/flashmenu/bg.jpg");
    for (const QString &folder : {prog.file("MenuPreview"), prog.file("MenuPreview/flashmenu/"),
                                  prog.file("MenuPreview/../MenuPreview")}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_EQ(publish("1=-1", folder), QString());
    }
    ASSERT_EQ(box.shown().size(), 3);
    EXPECT_EQ(box.shown().first().text, "Menu can not be published.\r\n" + prog.file("MenuPreview/"));
    EXPECT_EQ(box.shown().first().icon, MsgIcon::Warning);
    EXPECT_EQ(Sorted(QDir(prog.file("MenuPreview")).entryList(QDir::Files)),
              Sorted({"HTMLOptions.xml", "flashmenu.xml", "flashmenu.xml.js", "tvmbiz001.swf"}));
    EXPECT_TRUE(workText("flashmenu.xml").contains(R"(<background src="flashmenu\bg.jpg")"));
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/bg.jpg"), before);
    EXPECT_TRUE(openedPages.isEmpty());
}

TEST_F(Publish, TheRememberedFolderStartsTheDialogWhileItExists)
{
    publish("0=-1");
    EXPECT_EQ(window.startFolders.last(), prog.file("Publish/"));
    EXPECT_EQ(paths.PublishPath, QString()); // not remembered while the setting is off

    paths.UseLastPublishPath = true;
    publish("0=-1");
    EXPECT_EQ(paths.PublishPath, out());
    publish("0=-1");
    EXPECT_EQ(window.startFolders.last(), out());

    QDir(out()).removeRecursively();
    window.folderAnswer = QString();
    window.settingsAnswer = "0=-1";
    a_PublishExecute(design, page, preview, window, paths);
    EXPECT_EQ(window.startFolders.last(), prog.file("Publish/"));
}

TEST_F(Publish, WithFewOrNoThreadsEveryOutputTypeIsWrittenWholeIntoAFolderNotYetMade)
{
    OpenToAll(prog.path());
    OpenToAll(outRoot.path());
    for (const rlim_t threads : {rlim_t(1), rlim_t(3)}) {
        for (const auto &[answer, expected] : OutputTypes()) {
            const QString folder = outRoot.file(QStringLiteral("%1/%2/").arg(threads).arg(answer.left(1)));
            SCOPED_TRACE((answer + " with at most " + QString::number(threads) + " threads").toStdString());
            EXPECT_EQ(InChildWithThreads(threads, [&, answer = answer] {
                          if (publish(answer, folder) != folder)
                              throw Exception("not published");
                      }),
                      0);
            ASSERT_EQ(FilesUnder(folder), expected);
            for (const QString &name : MediaFiles)
                EXPECT_EQ(ReadFileBytes(folder + name), name.toUtf8());
        }
    }
}

TEST_F(Publish, AReadOnlyOutputFolderIsAnErrorNotASuccess)
{
    OpenToAll(prog.path());
    QFile::setPermissions(outRoot.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(out(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                     | QFileDevice::ExeOther);
    QString error;
    {
        Unprivileged scope;
        try {
            publish("0=-1");
        } catch (const Exception &e) {
            error = e.Message();
        }
    }
    QFile::setPermissions(out(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(error.startsWith("Cannot create file \"" + out() + "flashmenu.xml\"")) << error.toStdString();
    EXPECT_TRUE(FilesUnder(out()).isEmpty());
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_TRUE(openedPages.isEmpty());
}

TEST_F(Publish, AFailedCopySaysWhy)
{
    // The disk fills at the sound, the one large file.
    prog.write("MenuPreview/flashmenu/music.mp3", QByteArray(300000, 'm'));
    QString error;
    {
        FileSizeLimit limit(100000);
        error = ExceptionText([&] { publish("0=-1"); });
    }
    EXPECT_EQ(error, "Cannot copy file \"" + prog.file("MenuPreview/flashmenu/music.mp3") + "\" to \"" + out()
                         + "flashmenu/music.mp3\". " + qt_error_string(EFBIG));
}

TEST_F(Publish, APublishKilledHalfWayLeavesNothingOnceDoneAgain)
{
    // A large sound, so that a copy is under way most of the time.
    prog.write("MenuPreview/flashmenu/music.mp3", QByteArray(32 << 20, 'm'));
    publish("3=-1");
    const QStringList published = FilesUnder(out());
    const auto leftovers = [&] {
        QStringList extra = FilesUnder(out());
        for (const QString &name : published)
            extra.removeOne(name);
        return extra;
    };
    ASSERT_TRUE(KillMidway([&] { publish("3=-1"); }, [&] { return !leftovers().isEmpty(); }));
    ASSERT_FALSE(leftovers().isEmpty());

    // The next publish into the folder holds exactly its own files.
    publish("3=-1");
    EXPECT_EQ(FilesUnder(out()), published);
    EXPECT_EQ(ReadFileBytes(out() + "flashmenu/music.mp3"), QByteArray(32 << 20, 'm'));
}

TEST_F(Publish, APublishIntoAFolderWithPlantedLeftoversTakesNothingInAndKeepsTheUsersFiles)
{
    TempFolder outside;
    outside.write("private.txt", "the user's private key");
    const QStringList folders{out(), out() + "flashmenu/photos"};
    for (const QString &folder : folders)
        PlantCopyLeftovers(folder, outside.file("private.txt"));
    publish("3=-1");
    for (const QString &folder : folders)
        EXPECT_EQ(PlantedHarm(folder, outside.file("private.txt")), QStringList()) << folder.toStdString();
    EXPECT_EQ(outText("flashmenu/bg.jpg"), "flashmenu/bg.jpg");
}

TEST_F(Publish, AnotherUserInASharedFolderNeitherStallsNorRedirectsNorCostsAPublish)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root acts as another user and sets how the system follows links";
    const auto timedPublish = [&](const QString &folder) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(ExceptionText([&] { publish("3=-1", folder); }), QString()) << folder.toStdString();
        return timer.elapsed();
    };
    const qint64 alone = timedPublish(outRoot.file("alone"));

    // A folder everyone may write, without the sticky bit: the other user holds the locks of the
    // folders the publish writes, and renames the user's own folders to temporaries' names.
    ASSERT_EQ(chmod(QFile::encodeName(outRoot.path()).constData(), 0755), 0);
    const QString site = outRoot.file("site");
    WriteFileBytes(site + "/keep/b.txt", "the user's text");
    WriteFileBytes(site + "/flashmenu/photos/a.jpg", "the user's photo");
    for (const QString &folder : {site, site + "/flashmenu"})
        ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0777), 0);
    const QString dead = ".tolvanar-tmp-" + QString::number(EndedProcessId()) + "-1-";
    const OtherUser holder([&] {
        bool done = true;
        for (const QString &folder : {site, site + "/flashmenu"}) {
            const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
            done = done && fd >= 0 && flock(fd, LOCK_EX) == 0;
        }
        return done && rename(QFile::encodeName(site + "/keep").constData(), QFile::encodeName(site + "/" + dead + "x").constData()) == 0
               && rename(QFile::encodeName(site + "/flashmenu/photos").constData(),
                         QFile::encodeName(site + "/flashmenu/" + dead + "y").constData()) == 0;
    });
    ASSERT_TRUE(holder.Ready());
    EXPECT_LT(timedPublish(site), 2 * alone + 1000);
    EXPECT_EQ(ReadFileBytes(site + "/" + dead + "x/b.txt"), "the user's text");
    EXPECT_EQ(ReadFileBytes(site + "/flashmenu/" + dead + "y/a.jpg"), "the user's photo");

    // A media folder that is a link: what lies where it leads is no leftover of this publish.
    TempFolder elsewhere;
    elsewhere.write(dead + "z", "the user's own");
    const QString linked = outRoot.file("linked");
    QDir().mkpath(linked);
    ASSERT_TRUE(QFile::link(elsewhere.path(), linked + "/flashmenu"));
    timedPublish(linked);
    EXPECT_EQ(elsewhere.read(dead + "z"), "the user's own");

    // In a sticky folder the system does not follow another user's links: nor does a publish.
    TempFolder sticky, mine;
    ASSERT_EQ(chmod(QFile::encodeName(sticky.path()).constData(), 01777), 0);
    for (const char *name : {"flashmenu.xml", "flashmenu.xml.js"})
        mine.write(name, "the user's own");
    const OtherUser planter([&] {
        return QFile::link(mine.file("flashmenu.xml"), sticky.file("flashmenu.xml"))
               && QFile::link(mine.file("flashmenu.xml.js"), sticky.file("flashmenu.xml.js"));
    });
    ASSERT_TRUE(planter.Ready());
    const SystemSetting protection("/proc/sys/fs/protected_symlinks", "1");
    ASSERT_TRUE(protection.Set());
    const QString error = ExceptionText([&] { publish("3=-1", sticky.path()); });
    EXPECT_TRUE(error.endsWith(qt_error_string(EACCES))) << error.toStdString();
    for (const char *name : {"flashmenu.xml", "flashmenu.xml.js"})
        EXPECT_EQ(mine.read(name), "the user's own") << name;
}

TEST_F(Publish, AFailureHalfWayRaisesAndPutsThePreviewPageBack)
{
    // The media folder's name is taken by a file.
    WriteFileBytes(out() + "flashmenu", "a file");
    EXPECT_THROW(
        {
            try {
                publish("0=-1");
            } catch (const Exception &e) {
                EXPECT_EQ(e.Message(), "Cannot create folder \"" + out() + "flashmenu\".");
                throw;
            }
        },
        Exception);
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_TRUE(openedPages.isEmpty());
    EXPECT_TRUE(outText("flashmenu.htm").contains("flashmenu.swf"));
    EXPECT_TRUE(workText("flashmenu.htm").contains("tvmbiz001.swf"));
    EXPECT_TRUE(workText("flashmenu.htm").contains("\" scroll=\"no\">"));

    // A medium whose place is taken by a folder.
    QFile::remove(out() + "flashmenu");
    QDir().mkpath(out() + "flashmenu/logo.jpg");
    EXPECT_THROW(publish("3=-1"), Exception);
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_TRUE(openedFolders.isEmpty());
}

TEST_F(Publish, AMissingPageTemplateEndsThePublish)
{
    QFile::remove(prog.file("Templates/Vertical/HTML/TemplateFrame.htm"));
    EXPECT_THROW(publish("1=-1"), Exception);
    EXPECT_FALSE(QFileInfo::exists(out() + "index.htm"));
    EXPECT_TRUE(box.shown().isEmpty());
}
