// Project files and the project commands: New from the gallery's preview set, Save and Save As,
// Open, the Button Style hand-over, the save question, the caption and the recent-projects list.
#include "QtPrinting.h"
#include "Errors.h"
#include "IniFile.h"
#include "Messages.h"
#include "Temporaries.h"
#include "TestSupport.h"
#include "ZipArchive.h"
#include "FileWrite.h"
#include "uPackages.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"
#include "uProjects.h"
#include "uRecentProjects.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <QSet>
#include <QScopeGuard>
#include <optional>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

namespace {

class PreviewHost : public IPreviewHost {
public:
    BrowserPane *Browser() override { return nullptr; }
};

// The window as the design sees it: the caption follows the modified flag, the blank project's
// page options are read, the preview is rebuilt after a reset.
class DesignHost : public IDesignHost {
public:
    TProjects *projects = nullptr;
    TPreviewSet *preview = nullptr;
    THtmlPageOptions *page = nullptr;
    void ModifiedChanged() override
    {
        if (projects)
            projects->UpdateCaption();
    }
    void ReadHtmlOptions(const QString &file) override { ::ReadHtmlOptions(file, *page); }
    void ClearProjectFileName() override
    {
        if (projects)
            projects->ClearProjectFileName();
    }
    void RefreshPreview() override
    {
        if (preview)
            preview->RefreshPreview();
    }
};

class ProjectHost : public IProjectHost {
public:
    std::deque<QString> openAnswers, saveAnswers;
    QList<TFileDialogSetup> openSetups, saveSetups;
    std::function<bool(bool &)> selectMenuType = [](bool &) { return false; };
    std::function<bool(const QString &)> buttonsStyle = [](const QString &) { return false; };
    QString lastStyleXml;
    QStringList captions;
    QStringList recent;
    QList<int> layouts;
    QString openFolder;
    QString projectPath;
    bool useLastProjectPath = false;

    std::deque<int> wizardAnswers;
    QString wizardProject;
    bool fromWizard = false;
    int ShowWizard(QString &projectFile) override
    {
        if (wizardAnswers.empty())
            return 0;
        projectFile = wizardProject;
        const int a = wizardAnswers.front();
        wizardAnswers.pop_front();
        return a;
    }
    bool FromWizard() const override { return fromWizard; }
    QString ChooseOpenFile(const TFileDialogSetup &s) override
    {
        openSetups << s;
        return take(openAnswers);
    }
    QString ChooseSaveFile(const TFileDialogSetup &s) override
    {
        saveSetups << s;
        return take(saveAnswers);
    }
    void SetOpenDialogFolder(const QString &f) override { openFolder = f; }
    bool ShowSelectMenuType(const QString &, bool &back) override { return selectMenuType(back); }
    bool ShowMenuButtonsStyle(const QString &, const QString &xml) override
    {
        lastStyleXml = xml;
        return buttonsStyle(xml);
    }
    void UpdateInterfaceCore(int mode) override { layouts << mode; }
    void SetCaption(const QString &c) override { captions << c; }
    void RecentProjectsChanged(const QStringList &entries) override { recent = entries; }
    QString ProjectPath() const override { return projectPath; }
    void SetProjectPath(const QString &p) override { projectPath = p; }
    bool UseLastProjectPath() const override { return useLastProjectPath; }

private:
    static QString take(std::deque<QString> &answers)
    {
        if (answers.empty())
            return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

QStringList FilesUnder(const QString &folder, const QString &prefix = QString())
{
    QStringList out;
    for (const QFileInfo &fi : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (fi.isDir())
            out << FilesUnder(fi.filePath(), prefix + fi.fileName() + "/");
        else
            out << prefix + fi.fileName();
    }
    out.sort();
    return out;
}

QStringList ArchiveMembers(const QString &file)
{
    QStringList out;
    const TZipReader reader(file);
    for (const TZipMember &m : reader.Members())
        out << m.Name;
    return out;
}

const char *const TemplateMemberNames[] = {"menu.swf",     "menu.jpg",       "menu_narrow.jpg",     "template.xml",
                                           "template.jpg", "background.jpg", "background_thumb.jpg"};

class Projects : public ::testing::Test {
protected:
    TempFolder prog;
    THtmlPageOptions page;
    PreviewHost previewHost;
    DesignHost designHost;
    ProjectHost host;
    TMenuDesign design{prog.path(), &designHost};
    TPreviewSet preview{design, page, previewHost};
    TProjects projects{design, preview, page, host, prog.file("tolvanar.ini")};
    ScriptedMessageBox box;

    void SetUp() override
    {
        SetDefaultTexts();
        CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
        QDir().mkpath(prog.file("MenuPreview/flashmenu"));
        QDir().mkpath(prog.file("Projects"));
        designHost.projects = &projects;
        designHost.preview = &preview;
        designHost.page = &page;
        design.ResetToBlankProject();
        host.selectMenuType = [this](bool &) {
            // The menu-type choice sets the orientation; the gallery leaves its set.
            design.SetOrientation(false);
            WriteGallerySet();
            return true;
        };
    }

    // What the preset gallery leaves in the exchange folder: a vertical design with a background,
    // a logo and one icon-link picture, its page options, its movie and its media.
    void WriteGallerySet()
    {
        TMenuDesign gallery{prog.path()};
        gallery.SetOrientation(false);
        gallery.ResetDesign(true);
        gallery.CurrentMenuFileName = "buttons07.swf";
        gallery.Controls.BackgroundImage = "bg.jpg";
        gallery.Controls.LogoImage = "logo.jpg";
        gallery.FIconInfo.Items[0].Img = "flashmenu\\home.jpg";
        gallery.FIconInfo.Items[1].Img = "flashmenu\\Home.jpg";
        gallery.FIconInfo.Items[2].Img = "flashmenu\\bg.jpg";
        const QString ex = prog.file("Templates/Preview/");
        SaveMenuXmlFile(ex, gallery.BuildMenuXml(false, false, false), QString());
        THtmlPageOptions options;
        options.Title = "Gallery site";
        options.Keys[0] = "menus";
        WriteHtmlOptions(ex + "HTMLOptions.xml", options);
        prog.write("Templates/Preview/buttons07.swf", "movie 07");
        prog.write("Templates/Preview/flashmenu/bg.jpg", "background");
        prog.write("Templates/Preview/flashmenu/logo.jpg", "logo");
        prog.write("Templates/Preview/flashmenu/home.jpg", "home lower");
        prog.write("Templates/Preview/flashmenu/Home.jpg", "home upper");
        prog.write("Templates/Preview/flashmenu/unused.jpg", "not named");
    }

    // A new project from the gallery, with one entry added.
    void MakeNewProject()
    {
        projects.a_NewExecute();
        ASSERT_FALSE(design.FNoProject);
        design.AddMainMenuEntry(QString(), "Contact", false, "main", "contact.htm");
    }

    // An install asks nothing of the window here.
    class NoWindow : public IPackageHost {
        QString ChooseOpenFile(const TFileDialogSetup &) override { return QString(); }
    } packageHost;
    // A new project saved as Projects/p.tvp, beside the shipped settings whose maps installs take.
    void SaveProjectBesideTheSettings()
    {
        QFile::copy(ShippedDataDir() + "tolvanar.ini", prog.file("tolvanar.ini"));
        MakeNewProject();
        host.saveAnswers.push_back(prog.file("Projects/p.tvp"));
        ASSERT_TRUE(projects.a_SaveAsExecute());
    }

    // A package in the program folder of the given versions of templates, each file of a template
    // beginning with its version and large enough that its copy takes a while.
    QString package(const QString &name, const QList<std::pair<QByteArray, QByteArray>> &templates, int size = 1 << 20)
    {
        QList<RawMember> members;
        for (const auto &[id, version] : templates) {
            members << RawMember{id + "/", ""};
            for (const char *file : TemplateMemberNames)
                members << RawMember{id + "/" + file, version + " " + file + QByteArray(size, ' '), S_IFREG | 0644, false,
                                     ZIP_CM_STORE};
        }
        MakeZipArchive(prog.file(name), members);
        return prog.file(name);
    }
    void install(const QString &file) { TPackages(design, packageHost).InstallPackage(file); }
    // The versions that a template's installed files begin with, each once.
    QSet<QByteArray> Versions(const QString &id)
    {
        QSet<QByteArray> found;
        for (const char *file : {"Menus/%1.swf", "Menus/Thumbnail/%1.jpg", "Menus/Thumbnail_Narrow/%1.jpg",
                                 "Template/%1.xml", "Template/Thumbnail/%1.jpg", "BGround/%1.jpg", "BGround/Thumbnail/%1.jpg"})
            found.insert(prog.read("Templates/Horizontal/" + QString::fromLatin1(file).arg(id)).left(2));
        return found;
    }
    void open()
    {
        host.openAnswers.push_back(prog.file("Projects/p.tvp"));
        projects.a_LoadSWFExecute();
        ASSERT_TRUE(host.openAnswers.empty());
    }

    QString DesignText() { return design.BuildMenuXml(false, false, false); }
    QString Caption() const { return host.captions.isEmpty() ? QString() : host.captions.last(); }
};

} // namespace

TEST_F(Projects, NewTakesTheGallerysSetAndIsUntitledAndModified)
{
    prog.write("MenuPreview/flashmenu/earlier.jpg", "from an earlier project");
    MakeNewProject();
    EXPECT_FALSE(design.IsHorizontal());
    EXPECT_EQ(design.CurrentMenuFileName, "buttons07.swf");
    EXPECT_EQ(page.Title, "Gallery site");
    EXPECT_TRUE(design.IsModified());
    EXPECT_EQ(Caption(), "Tolvanar - New*");
    EXPECT_EQ(projects.ProjectFileName(), QString());
    EXPECT_EQ(host.layouts, QList<int>{50});
    EXPECT_EQ(host.openFolder, prog.file("MenuPreview/"));
    // Only what the description names came over; the exchange folder is emptied, its folders stay.
    EXPECT_EQ(FilesUnder(prog.file("MenuPreview")),
              QStringList({"AC_RunActiveContent.js", "HTMLOptions.xml", "buttons07.swf", "flashmenu.htm",
                           "flashmenu.xml", "flashmenu.xml.js", "flashmenu/Home.jpg", "flashmenu/bg.jpg",
                           "flashmenu/home.jpg",
                           "flashmenu/logo.jpg"}));
    EXPECT_EQ(FilesUnder(prog.file("Templates/Preview")), QStringList());
    EXPECT_TRUE(QFileInfo(prog.file("Templates/Preview/flashmenu")).isDir());
}

TEST_F(Projects, NewCancelledOrBackLeavesTheBlankProjectAndTheExchangeFolder)
{
    host.selectMenuType = [this](bool &) {
        WriteGallerySet();
        return false;
    };
    projects.a_NewExecute();
    EXPECT_TRUE(design.FNoProject);
    EXPECT_FALSE(design.IsModified());
    projects.UpdateCaption();
    EXPECT_EQ(Caption(), "Tolvanar");
    EXPECT_TRUE(prog.exists("Templates/Preview/flashmenu.xml"));
    EXPECT_EQ(host.recent, QStringList());
}

TEST_F(Projects, SaveAsWritesTheProjectArchive)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/a.xml"));
    EXPECT_TRUE(projects.a_SaveAsExecute());
    const TFileDialogSetup &s = host.saveSetups.last();
    EXPECT_EQ(s.Filter, "Tolvanar Projects (*.tvp)|*.tvp");
    EXPECT_EQ(s.InitialFolder, prog.file("Projects/"));
    EXPECT_EQ(s.DefaultExt, "tvp");
    EXPECT_TRUE(box.shown().isEmpty());

    // The archive takes the project extension; the caption keeps the name as chosen.
    EXPECT_FALSE(prog.exists("Projects/a.xml"));
    EXPECT_EQ(Caption(), "Tolvanar - a.xml");
    EXPECT_FALSE(design.IsModified());
    // Four page-set files, then the named media sorted without case, each once; the unnamed
    // leftover is not stored.
    EXPECT_EQ(ArchiveMembers(prog.file("Projects/a.tvp")),
              QStringList({"HTMLOptions.xml", "flashmenu.xml", "flashmenu.htm", "buttons07.swf", "flashmenu/bg.jpg",
                           "flashmenu/Home.jpg", "flashmenu/home.jpg", "flashmenu/logo.jpg"}));
    EXPECT_EQ(host.recent, QStringList{prog.file("Projects/a.tvp")});
}

TEST_F(Projects, ADesignNamingNoMediaSavesFourMembers)
{
    MakeNewProject();
    design.Controls.BackgroundImage.clear();
    design.Controls.LogoImage.clear();
    design.Controls.BackgroundSound.clear();
    for (TIconLinkItem &item : design.FIconInfo.Items)
        item.Img.clear();
    host.saveAnswers.push_back(prog.file("Projects/plain.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    EXPECT_EQ(ArchiveMembers(prog.file("Projects/plain.tvp")),
              QStringList({"HTMLOptions.xml", "flashmenu.xml", "flashmenu.htm", "buttons07.swf"}));
}

TEST_F(Projects, RoundTripGivesBackTheSameDesignAndFiles)
{
    MakeNewProject();
    page.Description = "About us";
    host.saveAnswers.push_back(prog.file("Projects/round.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QString saved = DesignText();
    const QStringList files = FilesUnder(prog.file("MenuPreview"));
    const QByteArray logo = prog.read("MenuPreview/flashmenu/logo.jpg");

    // Something else is made meanwhile, horizontal, with a file of its own.
    host.selectMenuType = [](bool &) { return false; };
    projects.a_NewExecute();
    design.SetOrientation(true);
    page = THtmlPageOptions();
    prog.write("MenuPreview/flashmenu/other.jpg", "other project");
    host.layouts.clear();

    host.openAnswers.push_back(prog.file("Projects/round.tvp"));
    projects.a_LoadSWFExecute();
    EXPECT_EQ(host.openSetups.last().Filter, "Tolvanar Projects (*.tvp) |*.tvp");
    EXPECT_EQ(host.openSetups.last().InitialFolder, prog.file("Projects/"));
    EXPECT_FALSE(design.IsHorizontal());
    EXPECT_EQ(host.layouts, QList<int>{50});
    EXPECT_EQ(DesignText(), saved);
    EXPECT_EQ(page.Description, "About us");
    EXPECT_EQ(page.Title, "Gallery site");
    EXPECT_EQ(FilesUnder(prog.file("MenuPreview")), files);
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/logo.jpg"), logo);
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/round.tvp"));
    EXPECT_EQ(Caption(), "Tolvanar - round.tvp");
    EXPECT_FALSE(design.IsModified());
    EXPECT_EQ(host.openFolder, prog.file("Projects/"));
}

TEST_F(Projects, SavingOverAnExistingFileAsksFirst)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/p.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QByteArray first = prog.read("Projects/p.tvp");

    // Yes replaces.
    design.AddMainMenuEntry(QString(), "More", false, "main", "more.htm");
    box.answer(mrYes);
    EXPECT_TRUE(projects.a_SaveExecute());
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].text, "Project file p.tvp already exists, replace file?");
    EXPECT_EQ(box.shown()[0].buttons, QList<int>({mrYes, mrNo}));
    EXPECT_NE(prog.read("Projects/p.tvp"), first);

    // No opens Save As with no name; cancelling it saves nothing and leaves the project untitled.
    const QByteArray second = prog.read("Projects/p.tvp");
    design.SetModified(true);
    box.answer(mrNo);
    EXPECT_FALSE(projects.a_SaveExecute());
    EXPECT_EQ(host.saveSetups.last().FileName, QString());
    EXPECT_EQ(prog.read("Projects/p.tvp"), second);
    EXPECT_EQ(projects.ProjectFileName(), QString());
    EXPECT_EQ(Caption(), "Tolvanar - New*");
}

TEST_F(Projects, AFailedSaveKeepsTheOldFileAndIsNotShownAsSaved)
{
    MakeNewProject();
    // The disk fills while the archive is written: the pages before it are small, the archive is not.
    prog.write("MenuPreview/flashmenu/bg.jpg", QByteArray(300000, 'b'));
    const QString name = prog.file("Projects/p.tvp");
    WriteFileBytes(name, "the earlier project");
    host.saveAnswers.push_back(name);
    box.answer(mrYes);
    QString error;
    {
        FileSizeLimit limit(100000);
        error = ExceptionText([&] { projects.a_SaveAsExecute(); });
    }
    EXPECT_TRUE(error.startsWith("Cannot write the archive \"" + name + "\": ")) << error.toStdString();
    EXPECT_TRUE(error.contains(qt_error_string(EFBIG))) << error.toStdString();
    EXPECT_FALSE(error.contains("  ")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(name), "the earlier project");
    EXPECT_TRUE(design.IsModified());
    EXPECT_TRUE(Caption().endsWith("*"));
    EXPECT_EQ(ReadRecentList(prog.file("tolvanar.ini")), QStringList());
    EXPECT_EQ(FilesUnder(prog.file("Projects")), QStringList{QFileInfo(name).fileName()});
}

TEST_F(Projects, ASaveAsThatFailsLeavesTheProjectWithItsFile)
{
    MakeNewProject();
    // Untitled, it stays untitled.
    host.saveAnswers.push_back(prog.file("Missing/first.tvp"));
    EXPECT_NE(ExceptionText([&] { projects.a_SaveAsExecute(); }), "");
    EXPECT_EQ(projects.ProjectFileName(), QString());
    EXPECT_EQ(Caption(), "Tolvanar - New*");

    host.saveAnswers.push_back(prog.file("Projects/p.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QByteArray saved = prog.read("Projects/p.tvp");
    design.AddMainMenuEntry(QString(), "More", false, "main", "more.htm");
    design.SetModified(true);

    // Titled, it keeps its file: a name that cannot be written, and a name whose replacement is
    // refused with the second dialog cancelled.
    host.saveAnswers.push_back(prog.file("Missing/q.tvp"));
    EXPECT_NE(ExceptionText([&] { projects.a_SaveAsExecute(); }), "");
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/p.tvp"));
    EXPECT_EQ(Caption(), "Tolvanar - p.tvp*");
    prog.write("Projects/taken.tvp", "someone else's");
    host.saveAnswers.push_back(prog.file("Projects/taken.tvp"));
    box.answer(mrNo);
    EXPECT_FALSE(projects.a_SaveAsExecute());
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/p.tvp"));
    EXPECT_EQ(Caption(), "Tolvanar - p.tvp*");
    EXPECT_EQ(prog.read("Projects/p.tvp"), saved);

    // Save writes the project's own file.
    box.answer(mrYes);
    EXPECT_TRUE(projects.a_SaveExecute());
    EXPECT_EQ(box.texts().last(), "Project file p.tvp already exists, replace file?");
    EXPECT_NE(prog.read("Projects/p.tvp"), saved);
    EXPECT_EQ(prog.read("Projects/taken.tvp"), "someone else's");
    EXPECT_FALSE(prog.exists("Missing"));
    EXPECT_EQ(host.recent, QStringList{prog.file("Projects/p.tvp")});
}

TEST_F(Projects, ASaveThatLandsButWhoseFolderCannotBeSyncedKeepsItsFileAndSaysSo)
{
    MakeNewProject();
    const QString target = prog.file("Projects/landed.tvp");
    // Only the project's own folder refuses the sync, as a failing disk there would.
    const FolderSyncFunction system = SetFolderSync([&](int, const QString &folder) {
        return QFileInfo(folder) == QFileInfo(prog.file("Projects")) ? EIO : 0;
    });
    host.saveAnswers.push_back(target);
    bool saved = false;
    const QString error = ExceptionText([&] { saved = projects.a_SaveAsExecute(); });
    SetFolderSync(system);
    EXPECT_EQ(error, QString());
    EXPECT_TRUE(saved);
    EXPECT_EQ(projects.ProjectFileName(), target);
    EXPECT_EQ(Caption(), "Tolvanar - landed.tvp");
    EXPECT_FALSE(design.IsModified());
    EXPECT_EQ(box.texts(), QStringList({"The file \"" + target
                                        + "\" was written, but its folder could not be synced: Input/output error"}));
    EXPECT_EQ(ArchiveMembers(target).contains("flashmenu.xml"), true);
}

TEST_F(Projects, ASaveAsIntoAFolderWithPlantedLeftoversTakesNothingInAndKeepsTheUsersFiles)
{
    MakeNewProject();
    TempFolder shared, outside;
    outside.write("private.txt", "the user's private key");
    PlantCopyLeftovers(shared.path(), outside.file("private.txt"));
    host.saveAnswers.push_back(shared.file("p.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    EXPECT_EQ(PlantedHarm(shared.path(), outside.file("private.txt")), QStringList());
    EXPECT_TRUE(ArchiveMembers(shared.file("p.tvp")).contains("flashmenu.xml"));
}

TEST_F(Projects, AnotherUserInASharedFolderNeitherStallsNorRedirectsNorCostsASaveAs)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root acts as another user and sets how the system follows links";
    MakeNewProject();
    box.answer(mrYes);
    const auto timedSave = [&](const QString &file) {
        host.saveAnswers.push_back(file);
        QElapsedTimer timer;
        timer.start();
        const QString error = ExceptionText([&] { EXPECT_TRUE(projects.a_SaveAsExecute()); });
        EXPECT_EQ(error, QString()) << file.toStdString();
        return timer.elapsed();
    };
    const qint64 alone = timedSave(prog.file("Projects/alone.tvp"));

    // A folder everyone may write, without the sticky bit: the other user holds its lock and
    // renames the user's own sub-folder to a temporary's name, while a clean-up of the user's runs
    // there over and over.
    TempFolder shared;
    ASSERT_EQ(chmod(QFile::encodeName(shared.path()).constData(), 0777), 0);
    shared.write("photos/a.jpg", "the user's photo");
    const QString renamed = ".tolvanar-tmp-" + QString::number(EndedProcessId()) + "-1-x";
    const OtherUser holder([&] {
        const int fd = ::open(QFile::encodeName(shared.path()).constData(), O_RDONLY | O_DIRECTORY);
        return fd >= 0 && flock(fd, LOCK_EX) == 0 && rename(QFile::encodeName(shared.file("photos")).constData(),
                                                              QFile::encodeName(shared.file(renamed)).constData()) == 0;
    });
    ASSERT_TRUE(holder.Ready());
    const pid_t cleaner = fork();
    ASSERT_GE(cleaner, 0);
    if (cleaner == 0)
        for (;;)
            RemoveLeftoverTemporaries(shared.path());
    for (int round = 0; round < 5; ++round)
        EXPECT_LT(timedSave(shared.file("p.tvp")), 2 * alone + 1000) << round;
    kill(cleaner, SIGKILL);
    waitpid(cleaner, nullptr, 0);
    EXPECT_EQ(shared.read(renamed + "/a.jpg"), "the user's photo");
    EXPECT_TRUE(ArchiveMembers(shared.file("p.tvp")).contains("flashmenu.xml"));

    // In a sticky folder the system does not follow another user's link: nor does a save.
    TempFolder sticky, mine;
    ASSERT_EQ(chmod(QFile::encodeName(sticky.path()).constData(), 01777), 0);
    mine.write("mine.tvp", "the user's other project");
    const OtherUser planter([&] { return QFile::link(mine.file("mine.tvp"), sticky.file("p.tvp")); });
    ASSERT_TRUE(planter.Ready());
    const SystemSetting protection("/proc/sys/fs/protected_symlinks", "1");
    ASSERT_TRUE(protection.Set());
    host.saveAnswers.push_back(sticky.file("p.tvp"));
    EXPECT_EQ(ExceptionText([&] { projects.a_SaveAsExecute(); }),
              "Cannot write the archive \"" + sticky.file("p.tvp") + "\": " + qt_error_string(EACCES));
    EXPECT_EQ(mine.read("mine.tvp"), "the user's other project");

    // A link of the user's own to a name that is no UTF-8 leads to that very name.
    const QByteArray odd = "\xff\xfe.tvp";
    ASSERT_EQ(symlink(odd.constData(), QFile::encodeName(mine.file("q.tvp")).constData()), 0);
    host.saveAnswers.push_back(mine.file("q.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    struct stat st;
    EXPECT_EQ(lstat((QFile::encodeName(mine.path()) + "/" + odd).constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    // Not the name that the bytes read as.
    EXPECT_FALSE(QFileInfo::exists(mine.file(QString::fromUtf8(odd))));
}

TEST_F(Projects, WhatAnOpenFindsInTheProgramFolderIsBelievedOnlyAsFarAsAnInstallWroteIt)
{
    SaveProjectBesideTheSettings();
    prog.write("Projects/keep.tvp", "the user's other project");
    const QString movie = "Templates/Horizontal/Menus/tvnr001.swf";
    const QByteArray movieBytes = prog.read(movie);
    TempFolder outside;
    outside.write("private.txt", "the user's private key");
    // x/evil.jpg lies outside: x leads into a folder that is not there, and out of it by "..".
    ASSERT_TRUE(QFile::link(outside.path(), prog.file("escape")));
    ASSERT_TRUE(QFile::link("nothere/../escape", prog.file("x")));
    const QString dead = QString::number(EndedProcessId()) + "-1-";
    for (const QString &prefix : {".tolvanar-tmp-" + dead, ".tolvanar-backup-" + dead}) {
        // Journals that no copy writes: a FIFO, one far too large, a link to an endless device.
        ASSERT_TRUE(QDir().mkpath(prog.file(prefix + "fifo")));
        ASSERT_EQ(mkfifo(QFile::encodeName(prog.file(prefix + "fifo/journal")).constData(), 0600), 0);
        QFile huge(prog.file(prefix + "huge/journal"));
        ASSERT_TRUE(QDir().mkpath(prog.file(prefix + "huge")) && huge.open(QIODevice::WriteOnly)
                    && huge.resize(qint64(3) << 30));
        huge.close();
        ASSERT_TRUE(QDir().mkpath(prog.file(prefix + "zero")));
        ASSERT_TRUE(QFile::link("/dev/zero", prog.file(prefix + "zero/journal")));
        // One of the copy's own form whose every line reaches what no install writes, or brings in
        // what is not its own.
        prog.write(prefix + "lines/journal",
                   "0 new Projects%2Fkeep.tvp\n1 old Templates%2FHorizontal%2FMenus%2Ftvnr001.swf\n2 old x%2Fevil.jpg\n");
        ASSERT_TRUE(QFile::link(outside.file("private.txt"), prog.file(prefix + "lines/1")));
        prog.write(prefix + "lines/2", "planted");
    }
    // An open that hangs over them ends here, as a failure.
    alarm(120);
    host.openAnswers.push_back(prog.file("Projects/p.tvp"));
    projects.a_LoadSWFExecute();
    alarm(0);
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/p.tvp"));
    EXPECT_EQ(prog.read("Projects/keep.tvp"), "the user's other project");
    EXPECT_EQ(prog.read(movie), movieBytes);
    EXPECT_EQ(FilesUnder(outside.path()), QStringList{"private.txt"});
    EXPECT_EQ(QDir(prog.path()).entryList({".tolvanar-*"}, QDir::AllEntries | QDir::Hidden | QDir::System), QStringList());
    // The copy's folders are set aside and each said once, in one box; the others went unread.
    const QStringList said = box.texts();
    ASSERT_EQ(said.size(), 1) << said.join("\n").toStdString();
    EXPECT_EQ(said[0].count("set aside unread"), 3);
    EXPECT_EQ(said[0].count("could not be wholly undone"), 1);
    host.openAnswers.push_back(prog.file("Projects/p.tvp"));
    projects.a_LoadSWFExecute();
    EXPECT_EQ(box.texts(), said);
}

TEST_F(Projects, AnOpenKilledHalfWayLeavesNothingThatTheNextOneTakesForAJournal)
{
    prog.write("Projects/keep.tvp", "the user's other project");
    MakeNewProject();
    // A project whose movie is named like a journal and reads as one, with a large background after
    // it, so that the open is killed while it stands unpacked.
    prog.write("MenuPreview/journal", "0 new Projects%2Fkeep.tvp\n");
    design.CurrentMenuFileName = "journal";
    prog.write("MenuPreview/flashmenu/bg.jpg", QByteArray(32 << 20, 'b'));
    host.saveAnswers.push_back(prog.file("Projects/hostile.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    ASSERT_TRUE(ArchiveMembers(prog.file("Projects/hostile.tvp")).contains("journal"));
    const auto unpackedJournal = [&] {
        for (const QFileInfo &fi : QDir(prog.path()).entryInfoList({".tolvanar-tmp-*"}, QDir::Dirs | QDir::Hidden))
            if (QFileInfo::exists(fi.filePath() + "/journal"))
                return true;
        return false;
    };
    const auto open = [&] {
        host.openAnswers.push_back(prog.file("Projects/hostile.tvp"));
        projects.a_LoadSWFExecute();
    };
    ASSERT_TRUE(KillMidway(open, unpackedJournal));
    open();
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/hostile.tvp"));
    EXPECT_EQ(prog.read("Projects/keep.tvp"), "the user's other project");
    EXPECT_FALSE(unpackedJournal());
}

TEST_F(Projects, AnUndoThatCannotFinishIsSaidOnceAndALaterInstallStays)
{
    SaveProjectBesideTheSettings();
    const QString v1 = package("v1.tvm", {{"tvmflt001", "v1"}});
    const QString v2 = package("v2.tvm", {{"tvmflt001", "v2"}, {"tvmflt002", "v2"}});
    const QString v3 = package("v3.tvm", {{"tvmflt001", "v3"}});
    // The second template's files in the order they are copied.
    const QStringList second{"Menus/tvmflt002.swf",           "Menus/Thumbnail/tvmflt002.jpg",
                             "Menus/Thumbnail_Narrow/tvmflt002.jpg", "Template/tvmflt002.xml",
                             "Template/Thumbnail/tvmflt002.jpg", "BGround/tvmflt002.jpg",
                             "BGround/Thumbnail/tvmflt002.jpg"};
    const auto secondFile = [&](int i) { return prog.file("Templates/Horizontal/" + second[i]); };
    install(v1);
    // Killed once the second template's first file was new.
    ASSERT_TRUE(KillMidway(
        [&] {
            for (int i = 0; i < second.size(); ++i)
                QFile::remove(secondFile(i));
            install(v2);
        },
        [&] { return QFileInfo::exists(secondFile(0)) && !QFileInfo::exists(secondFile(6)); }));
    // The user makes that name a folder of their own, which no undo may remove.
    ASSERT_TRUE(QFile::remove(secondFile(0)));
    WriteFileBytes(secondFile(0) + "/mine.txt", "the user's");

    host.openAnswers.push_back(prog.file("Projects/p.tvp"));
    projects.a_LoadSWFExecute();
    ASSERT_EQ(box.texts().filter("could not be wholly undone").size(), 1) << box.texts().join("\n").toStdString();
    EXPECT_TRUE(box.texts().filter("could not be wholly undone")[0].contains(secondFile(0)));
    install(v3);
    host.openAnswers.push_back(prog.file("Projects/p.tvp"));
    projects.a_LoadSWFExecute();
    EXPECT_TRUE(prog.read("Templates/Horizontal/Menus/tvmflt001.swf").startsWith("v3 menu.swf"));
    EXPECT_EQ(ReadFileBytes(secondFile(0) + "/mine.txt"), "the user's");
    EXPECT_EQ(box.texts().filter("undone").size(), 1);
}

TEST_F(Projects, AnUndoStillToBeDoneIsNeverSkippedNorOvertakenWhateverLocksAnotherUserHolds)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root acts as another user";
    SaveProjectBesideTheSettings();
    ASSERT_EQ(chmod(QFile::encodeName(prog.path()).constData(), 0755), 0);
    const QString v1 = package("v1.tvm", {{"tvmflt001", "v1"}});
    const QString v2 = package("v2.tvm", {{"tvmflt001", "v2"}});
    const QString v3 = package("v3.tvm", {{"tvmflt001", "v3"}});
    install(v1);
    // The other user holds a lock on the program folder and on each of the user's files they can open.
    std::optional<OtherUser> holder(std::in_place, [&] {
        bool held = true;
        QDirIterator it(prog.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList paths{prog.path()};
        while (it.hasNext())
            paths << it.next();
        for (const QString &path : paths)
            if (const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK); fd >= 0)
                held = flock(fd, LOCK_SH) == 0 && held;
        return held;
    });
    ASSERT_TRUE(holder->Ready());
    ASSERT_TRUE(KillMidway([&] { install(v2), install(v1); }, [&] { return Versions("tvmflt001").size() == 2; }));
    open();
    EXPECT_EQ(Versions("tvmflt001"), QSet<QByteArray>{"v1"});
    EXPECT_EQ(ExceptionText([&] { install(v3); }), QString());
    holder.reset();
    open();
    EXPECT_EQ(Versions("tvmflt001"), QSet<QByteArray>{"v3"});
}

TEST_F(Projects, AnUndoThatCannotBeDoneNowIsToldOnceAndHoldsInstallsBackUntilDone)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root mounts the backup folder read-only";
    SaveProjectBesideTheSettings();
    const QString v1 = package("v1.tvm", {{"tvmflt001", "v1"}});
    const QString v2 = package("v2.tvm", {{"tvmflt001", "v2"}});
    install(v1);
    ASSERT_TRUE(KillMidway([&] { install(v2), install(v1); }, [&] { return Versions("tvmflt001").size() == 2; }));
    const QStringList backups = QDir(prog.path()).entryList({".tolvanar-backup-*"}, QDir::Dirs | QDir::Hidden);
    ASSERT_EQ(backups.size(), 1);
    // Its journal cannot be written now.
    const QByteArray folder = QFile::encodeName(prog.file(backups[0]));
    ASSERT_EQ(mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr), 0) << strerror(errno);
    auto unmount = qScopeGuard([&] { umount2(folder.constData(), MNT_DETACH); });
    ASSERT_EQ(mount(nullptr, folder.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0) << strerror(errno);
    open();
    open();
    EXPECT_EQ(box.texts().filter("is still to be undone from").size(), 1) << box.texts().join("\n").toStdString();
    EXPECT_TRUE(ExceptionText([&] { install(v2); }).contains("is still to be undone"));
    EXPECT_EQ(Versions("tvmflt001").size(), 2);
    unmount.dismiss();
    ASSERT_EQ(umount2(folder.constData(), 0), 0);
    open();
    EXPECT_EQ(Versions("tvmflt001"), QSet<QByteArray>{"v1"});
    EXPECT_FALSE(prog.exists(backups[0]));
}

TEST_F(Projects, AnInstallWhileAnotherProgramInstallsIsRefusedAndAnOpenLeavesThatOneAlone)
{
    SaveProjectBesideTheSettings();
    const QString v1 = package("v1.tvm", {{"tvmflt001", "v1"}});
    const QString v2 = package("v2.tvm", {{"tvmflt001", "v2"}});
    const QString v3 = package("v3.tvm", {{"tvmflt001", "v3"}});
    install(v1);
    // The other program stands half-way through its install while this one installs and opens.
    QString refused;
    QSet<QByteArray> afterOpen;
    ASSERT_TRUE(KillMidway([&] { install(v2), install(v1); },
                           [&] {
                               if (Versions("tvmflt001").size() != 2)
                                   return false;
                               refused = ExceptionText([&] { install(v3); });
                               open();
                               afterOpen = Versions("tvmflt001");
                               return true;
                           }));
    EXPECT_TRUE(refused.startsWith("Another install or update is running")) << refused.toStdString();
    EXPECT_EQ(afterOpen.size(), 2);
    // Once it is gone, what it left is undone.
    open();
    EXPECT_EQ(Versions("tvmflt001").size(), 1);
    EXPECT_FALSE(Versions("tvmflt001").contains("v3"));
}

TEST_F(Projects, TemplatesOnAFileSystemOfTheirOwnComeBackWholeAfterAKillOrAFullDisk)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root mounts a file system for the templates";
    SaveProjectBesideTheSettings();
    const QByteArray templates = QFile::encodeName(prog.file("Templates"));
    ASSERT_EQ(mount("tmpfs", templates.constData(), "tmpfs", 0, "size=32m"), 0) << strerror(errno);
    const auto unmount = qScopeGuard([&] { umount2(templates.constData(), MNT_DETACH); });
    CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
    const QString v1 = package("v1.tvm", {{"tvmflt001", "v1"}});
    // Larger, so that an install of it over the first can fill the disk.
    const QString v2 = package("v2.tvm", {{"tvmflt001", "v2"}}, 3 << 19);
    const auto mixed = [&] { return Versions("tvmflt001").size() == 2; };
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        install(v1);
        ASSERT_TRUE(KillMidway([&] { install(v2), install(v1); }, mixed));
        open();
        EXPECT_EQ(Versions("tvmflt001").size(), 1);
    }
    EXPECT_EQ(box.texts().filter("half-way"), QStringList());

    // Room for the first new file and half the second: the second copy fails and the first goes back.
    install(v1);
    struct statvfs fs {};
    ASSERT_EQ(statvfs(templates.constData(), &fs), 0);
    const qint64 fill = qint64(fs.f_bavail) * qint64(fs.f_frsize) - (qint64(2) << 20) - (qint64(64) << 10);
    ASSERT_GT(fill, 0);
    const int filler = ::open((templates + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(posix_fallocate(filler, 0, fill), 0);
    close(filler);
    EXPECT_TRUE(ExceptionText([&] { install(v2); }).endsWith(qt_error_string(ENOSPC) + "."));
    EXPECT_EQ(Versions("tvmflt001"), QSet<QByteArray>{"v1"});
}

TEST_F(Projects, AJournalOfTheLargestSizeIsUndoneAtOnce)
{
    SaveProjectBesideTheSettings();
    QElapsedTimer timer;
    timer.start();
    open();
    const qint64 alone = timer.elapsed();
    // New files that a killed install would have made, as many as a journal of the largest size holds.
    const QString backups = ".tolvanar-backup-" + QString::number(EndedProcessId()) + "-1-x";
    QByteArray journal;
    QStringList made;
    for (int step = 0;; ++step) {
        made << "Templates/Horizontal/Menus/made" + QString::number(step) + ".swf";
        const QByteArray line = QByteArray::number(step) + " new " + made.last().toUtf8().replace("/", "%2F") + "\n";
        if (journal.size() + line.size() > 4 << 20)
            break;
        journal += line;
    }
    made.removeLast();
    prog.write(backups + "/journal", journal);
    // The least an undo does: look at each file once.
    timer.restart();
    for (const QString &file : made)
        ASSERT_FALSE(QFileInfo::exists(prog.file(file)));
    const qint64 looked = timer.elapsed();
    timer.restart();
    open();
    const qint64 undone = timer.elapsed() - alone;
    EXPECT_LT(undone, 10 * looked + 200) << looked;
    EXPECT_FALSE(prog.exists(backups));
    EXPECT_TRUE(box.texts().isEmpty()) << box.texts().join("\n").left(1000).toStdString();
}

TEST_F(Projects, AnInstallKilledAnywhereIsUndoneByTheNextOpen)
{
    SaveProjectBesideTheSettings();

    // Two versions of one template, told apart by every file; the large ones, stored as they are,
    // make each copy take a while.
    const QString targets[] = {"Horizontal/BGround/tvmkill001.jpg",         "Horizontal/BGround/Thumbnail/tvmkill001.jpg",
                               "Horizontal/Menus/tvmkill001.swf",           "Horizontal/Menus/Thumbnail/tvmkill001.jpg",
                               "Horizontal/Menus/Thumbnail_Narrow/tvmkill001.jpg", "Horizontal/Template/tvmkill001.xml",
                               "Horizontal/Template/Thumbnail/tvmkill001.jpg"};
    const auto version = [&](char v) {
        QList<RawMember> members{{"tvmkill001/", ""}};
        for (const char *file : {"menu.jpg", "menu_narrow.jpg", "template.xml", "template.jpg", "background_thumb.jpg"})
            members << RawMember{QByteArray("tvmkill001/") + file, QByteArray(file) + " v" + v};
        for (const char *file : {"menu.swf", "background.jpg"})
            members << RawMember{QByteArray("tvmkill001/") + file, QByteArray(v == '1' ? 4 << 20 : 6 << 20, v),
                                 S_IFREG | 0644, false, ZIP_CM_STORE};
        const QString file = prog.file(QStringLiteral("v%1.tvm").arg(v));
        MakeZipArchive(file, members);
        return file;
    };
    const QString v1 = version('1'), v2 = version('2');
    const auto install = [&](const QString &file) {
        TPackages packages(design, packageHost);
        packages.InstallPackage(file);
    };
    // How many of the seven files are the new version's (a large file by its size alone).
    const auto newFiles = [&] {
        int count = 0;
        for (const QString &t : targets) {
            const QFileInfo fi(prog.file("Templates/" + t));
            count += t.endsWith(".swf") || t.startsWith("Horizontal/BGround/tvm")
                         ? fi.size() == 6 << 20
                         : ReadFileBytes(fi.filePath()).endsWith("v2");
        }
        return count;
    };
    const auto temporaries = [&] {
        QStringList found;
        QDirIterator it(prog.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            if (const QString path = it.next(); QFileInfo(path).fileName().startsWith(".tolvanar-tmp-"))
                found << path;
        return found;
    };

    // Killed before any file was replaced, with one copied, with several, and with all but one.
    for (int moment : {0, 1, 3, 6}) {
        SCOPED_TRACE(moment);
        install(v1);
        ASSERT_EQ(newFiles(), 0);
        // Back and forth, so that every round of the child passes every moment.
        ASSERT_TRUE(KillMidway([&] { install(v2), install(v1); },
                               [&] { return newFiles() == moment && (moment > 0 || !temporaries().isEmpty()); }));
        host.openAnswers.push_back(prog.file("Projects/p.tvp"));
        projects.a_LoadSWFExecute();
        ASSERT_TRUE(host.openAnswers.empty());
        const int now = newFiles();
        EXPECT_TRUE(now == 0 || now == 7) << now;
        EXPECT_EQ(temporaries(), QStringList());
    }
}

TEST_F(Projects, TheSaveQuestionBeforeDroppingAProject)
{
    // Not modified: nothing is asked.
    EXPECT_EQ(projects.AskSaveChanges(), 0);
    EXPECT_TRUE(box.shown().isEmpty());

    MakeNewProject();
    // Yes, then the Save As dialog cancelled: nothing was saved, so the caller stops.
    box.answer(mrYes);
    host.selectMenuType = [](bool &) {
        ADD_FAILURE() << "New went on after a save that did not happen";
        return false;
    };
    projects.a_NewExecute();
    ASSERT_EQ(box.texts(), QStringList{"Project has not saved. Save now?"});
    EXPECT_EQ(box.shown()[0].buttons, QList<int>({mrYes, mrNo, mrCancel}));
    EXPECT_FALSE(design.FNoProject);
    EXPECT_TRUE(design.IsModified());

    // Cancel keeps the window open.
    box.answer(mrCancel);
    EXPECT_FALSE(projects.FormCloseQuery());
    EXPECT_TRUE(design.IsModified());

    // No drops the changes and clears the flag.
    box.answer(mrNo);
    EXPECT_TRUE(projects.FormCloseQuery());
    EXPECT_FALSE(design.IsModified());

    // Yes with a name: saved, then the caller goes on.
    design.SetModified(true);
    box.answer(mrYes);
    host.saveAnswers.push_back(prog.file("Projects/q.tvp"));
    EXPECT_EQ(projects.AskSaveChanges(), mrYes);
    EXPECT_TRUE(prog.exists("Projects/q.tvp"));
}

TEST_F(Projects, ArchivesThatCannotBeOpenedLeaveTheOpenProjectAlone)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/keep.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QString before = DesignText();
    const QStringList files = FilesUnder(prog.file("MenuPreview"));
    const QByteArray xml = prog.read("MenuPreview/flashmenu.xml");

    prog.write("Projects/text.tvp", "no archive");
    WriteZipArchive(prog.file("Projects/nodesc.tvp"), prog.file("MenuPreview"), {"HTMLOptions.xml"});
    {
        // A member that climbs out of the working folder.
        TempFolder src;
        src.write("flashmenu.xml", xml);
        src.write("evil.txt", "evil");
        WriteZipArchive(prog.file("Projects/evil.tvp"), src.path(), {"flashmenu.xml", "evil.txt"});
        QByteArray bytes = prog.read("Projects/evil.tvp");
        bytes.replace("evil.txt", "../x.txt");
        prog.write("Projects/evil.tvp", bytes);
    }
    for (const char *name : {"text.tvp", "nodesc.tvp", "evil.tvp", "missing.tvp"}) {
        projects.WizardProjectFile = prog.file("Projects/") + name;
        const QString error = ExceptionText([&] { projects.OpenProject(); });
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_EQ(DesignText(), before) << name;
        EXPECT_EQ(FilesUnder(prog.file("MenuPreview")), files) << name;
        EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/keep.tvp")) << name;
        EXPECT_EQ(Caption(), "Tolvanar - keep.tvp") << name;
        EXPECT_FALSE(QFileInfo::exists(prog.file("x.txt")));
    }
    EXPECT_EQ(ReadRecentList(prog.file("tolvanar.ini")), QStringList{prog.file("Projects/keep.tvp")});
}

TEST_F(Projects, AProjectWithEveryMemberDeflatedOpensWhateverItDoesNotTake)
{
    // A plain-colour full-screen picture deflates about a thousandfold, as any ZIP tool and earlier
    // versions of this program packed it.
    MakeNewProject();
    QImage plain(1920, 1080, QImage::Format_RGB888);
    plain.fill(QColor(0x20, 0x40, 0x80));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(plain.save(&buffer, "BMP"));
    design.Controls.BackgroundImage = "plain.bmp";
    prog.write("MenuPreview/flashmenu/plain.bmp", bmp);
    host.saveAnswers.push_back(prog.file("Projects/saved.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    TempFolder members;
    TZipReader(prog.file("Projects/saved.tvp")).ExtractAll(members.path());
    const QStringList names = ArchiveMembers(prog.file("Projects/saved.tvp"));
    ASSERT_TRUE(names.contains("flashmenu/plain.bmp"));
    QList<RawMember> deflated;
    for (const QString &name : names)
        deflated << RawMember{name.toUtf8(), members.read(name)};
    // A member the project does not name is not taken, so it is not judged either: here one packed
    // beyond what deflate can reach, which would be refused if it were taken.
    if (zip_compression_method_supported(ZIP_CM_BZIP2, 1))
        deflated << RawMember{"notes/zeros.bin", QByteArray(8 << 20, '\0'), S_IFREG | 0644, false, ZIP_CM_BZIP2};
    MakeZipArchive(prog.file("Projects/any.tvp"), deflated);

    const QString saved = DesignText();
    host.selectMenuType = [](bool &) { return false; };
    projects.a_NewExecute();
    projects.WizardProjectFile = prog.file("Projects/any.tvp");
    EXPECT_EQ(ExceptionText([&] { projects.OpenProject(); }), QString());
    EXPECT_EQ(DesignText(), saved);
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/plain.bmp"), bmp);
    EXPECT_FALSE(prog.exists("MenuPreview/notes"));
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/any.tvp"));
}

TEST_F(Projects, AnOpenedProjectBringsNoPageScriptOrStyleOfItsOwn)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/plain.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    // The same project with pages, scripts and a style sheet of its own, and a file it does not name.
    const QStringList planted{"AC_RunActiveContent.js", "flashmenu.xml.js", "style.css", "index.htm",
                              "MainBody.htm", "flashmenu.htm", "flashmenu/extra.txt"};
    for (const QString &name : planted)
        prog.write("MenuPreview/" + name, "planted");
    WriteZipArchive(prog.file("Projects/planted.tvp"), prog.file("MenuPreview"),
                    ArchiveMembers(prog.file("Projects/plain.tvp")) + planted);

    projects.WizardProjectFile = prog.file("Projects/plain.tvp");
    projects.OpenProject();
    preview.RefreshPreview();
    const QStringList files = FilesUnder(prog.file("MenuPreview"));
    projects.WizardProjectFile = prog.file("Projects/planted.tvp");
    projects.OpenProject();
    preview.RefreshPreview();
    EXPECT_EQ(FilesUnder(prog.file("MenuPreview")), files);
    for (const QString &name : files)
        EXPECT_NE(prog.read("MenuPreview/" + name), "planted") << name.toStdString();
}

TEST_F(Projects, BackFromTheGalleryRunsTheWizardAgain)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/w.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QString saved = DesignText();
    host.selectMenuType = [](bool &) { return false; };
    projects.a_NewExecute();
    ASSERT_TRUE(design.FNoProject);

    // At start the gallery offers Back; the wizard then opens a project.
    host.fromWizard = true;
    host.selectMenuType = [](bool &back) {
        EXPECT_TRUE(back);
        return false;
    };
    host.wizardAnswers = {1};
    host.wizardProject = prog.file("Projects/w.tvp");
    projects.a_NewExecute();
    EXPECT_EQ(projects.WizardProjectFile, prog.file("Projects/w.tvp"));
    EXPECT_FALSE(design.FNoProject);
    EXPECT_EQ(DesignText(), saved);
    EXPECT_TRUE(box.shown().isEmpty());
}

TEST_F(Projects, ADescriptionThatDoesNotReadEndsInTheBlankProject)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/good.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    TempFolder src;
    src.write("flashmenu.xml", "<WebMenuOptions version=\"1.00\" type=\"h\"/>");
    WriteZipArchive(prog.file("Projects/odd.tvp"), src.path(), {"flashmenu.xml"});
    projects.WizardProjectFile = prog.file("Projects/odd.tvp");
    EXPECT_FALSE(ExceptionText([&] { projects.OpenProject(); }).isEmpty());
    // The working folder no longer holds the earlier project: no title, nothing listed.
    EXPECT_TRUE(design.FNoProject);
    EXPECT_EQ(projects.ProjectFileName(), QString());
    EXPECT_EQ(Caption(), "Tolvanar");
    EXPECT_EQ(ReadRecentList(prog.file("tolvanar.ini")), QStringList{prog.file("Projects/good.tvp")});
}

TEST_F(Projects, StartupFileIsOpenedWithoutADialogAndConsumed)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/start.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    host.useLastProjectPath = true;
    projects.StartupFileName = prog.file("Projects/start.tvp");
    projects.a_LoadSWFExecute();
    EXPECT_TRUE(host.openSetups.isEmpty());
    EXPECT_EQ(projects.StartupFileName, QString());
    EXPECT_EQ(host.projectPath, prog.file("Projects/"));
    EXPECT_EQ(projects.ProjectFileName(), prog.file("Projects/start.tvp"));
}

TEST_F(Projects, ButtonStyleHandsOverAndTakesBackOnlyTheMenu)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/style.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QString before = DesignText();

    // Cancel: nothing comes back, the exchange folder keeps the hand-over.
    projects.a_OpenPreviewExecute();
    EXPECT_EQ(FilesUnder(prog.file("Templates/Preview")),
              QStringList({"AC_RunActiveContent.js", "HTMLOptions.xml", "buttons07.swf", "flashmenu.xml",
                           "flashmenu/Home.jpg", "flashmenu/bg.jpg", "flashmenu/home.jpg", "flashmenu/logo.jpg"}));
    EXPECT_TRUE(host.lastStyleXml.contains("<menufile src=\"buttons07.swf\""));
    EXPECT_EQ(DesignText(), before);
    EXPECT_FALSE(design.IsModified());

    // OK: the gallery's description and movie come back, the folder part of the name dropped.
    host.buttonsStyle = [this](const QString &xml) {
        QString changed = xml;
        changed.replace("<menufile src=\"buttons07.swf\" id=\"buttons07\"",
                        "<menufile src=\"Templates\\Vertical\\Menus\\buttons09.swf\" id=\"buttons09\"");
        SaveMenuXmlFile(prog.file("Templates/Preview/"), changed, QString());
        prog.write("Templates/Preview/buttons09.swf", "movie 09");
        prog.write("Templates/Preview/flashmenu/logo.jpg", "a logo the style must not bring back");
        return true;
    };
    projects.a_OpenPreviewExecute();
    EXPECT_EQ(design.CurrentMenuFileName, "buttons09.swf");
    EXPECT_EQ(prog.read("MenuPreview/buttons09.swf"), "movie 09");
    EXPECT_EQ(prog.read("MenuPreview/flashmenu/logo.jpg"), "logo");
    EXPECT_EQ(FilesUnder(prog.file("Templates/Preview")), QStringList());
    EXPECT_TRUE(design.IsModified());
    EXPECT_EQ(Caption(), "Tolvanar - style.tvp*");
}

TEST(RecentProjects, ListHelpers)
{
    EXPECT_TRUE(ListContains("a", {"b", "a"}));
    EXPECT_FALSE(ListContains("A", {"b", "a"}));
    EXPECT_EQ(DedupeList({"a", "b", "a", "A", "b"}), QStringList({"a", "b", "A"}));

    TempFolder dir;
    IniFile ini(dir.file("x.ini"));
    EXPECT_TRUE(WriteIniList({"one", "two", "three"}, ini, "list", 2, "k"));
    EXPECT_TRUE(WriteIniList({"one"}, ini, "list", 2, "k"));
    EXPECT_EQ(QString::fromUtf8(dir.read("x.ini")), "[list]\nk2=two\nk3=three\n");
}

TEST(RecentProjects, NewestFirstEachOnceNineWrittenEightRead)
{
    TempFolder dir;
    const QString ini = dir.file("tolvanar.ini");
    dir.write("tolvanar.ini", "[recent]\nproject1=/p/old.tvp\n[options]\nlanguage=English\n");
    for (int i = 1; i <= 8; ++i)
        ASSERT_TRUE(AddRecentProject(ini, QString("/p/%1.tvp").arg(i)));
    // Nine entries are written; the ninth key is never read back.
    EXPECT_EQ(QString::fromUtf8(dir.read("tolvanar.ini")),
              "[options]\nlanguage=English\n[recent]\nproject1=/p/8.tvp\nproject2=/p/7.tvp\nproject3=/p/6.tvp\n"
              "project4=/p/5.tvp\nproject5=/p/4.tvp\nproject6=/p/3.tvp\nproject7=/p/2.tvp\nproject8=/p/1.tvp\n"
              "project9=/p/old.tvp\n");
    EXPECT_EQ(ReadRecentList(ini).size(), 8);
    EXPECT_FALSE(ReadRecentList(ini).contains("/p/old.tvp"));

    // An entry at position 3 moves to position 1 and stands nowhere else.
    ASSERT_TRUE(AddRecentProject(ini, "/p/6.tvp"));
    EXPECT_EQ(ReadRecentList(ini), QStringList({"/p/6.tvp", "/p/8.tvp", "/p/7.tvp", "/p/5.tvp", "/p/4.tvp",
                                                "/p/3.tvp", "/p/2.tvp", "/p/1.tvp"}));

    // Gaps and empty values are skipped, not the end of the list.
    dir.write("tolvanar.ini", "[Recent]\nproject2=/b.tvp\nproject1=\nproject5=/e.tvp\n");
    EXPECT_EQ(ReadRecentList(ini), QStringList({"/b.tvp", "/e.tvp"}));
}

TEST(RecentProjects, AWriteThatFailsPartWayLeavesTheOldListWhole)
{
    TempFolder dir;
    const QString ini = dir.file("tolvanar.ini");
    QStringList old;
    QByteArray text = "[recent]\n";
    for (int i = 1; i <= 8; ++i) {
        old << QString("/p/%1.tvp").arg(i);
        text += QString("project%1=/p/%1.tvp\n").arg(i).toUtf8();
    }
    text += "[options]\nlanguage=English\n";
    dir.write("tolvanar.ini", text);

    // Stands for a crash part-way: no file may grow beyond the old settings file, so the longer
    // list cannot reach the disk; what does must not be a part of it.
    {
        FileSizeLimit limit(text.size());
        EXPECT_FALSE(AddRecentProject(ini, "/p/" + QString(100, 'n') + ".tvp"));
    }
    EXPECT_EQ(ReadRecentList(ini), old);
    EXPECT_EQ(dir.read("tolvanar.ini"), text);
}

TEST_F(Projects, RecentEntriesThatCannotBeOpened)
{
    prog.write("Projects/upper.TVP", "x");
    ASSERT_TRUE(AddRecentProject(prog.file("tolvanar.ini"), prog.file("Projects/upper.TVP")));
    ASSERT_TRUE(AddRecentProject(prog.file("tolvanar.ini"), prog.file("Projects/gone.tvp")));
    projects.Load_Recent();
    ASSERT_EQ(host.recent.size(), 2);

    projects.RecentList_Click(0);
    projects.RecentList_Click(1);
    projects.RecentList_Click(7);
    EXPECT_EQ(box.texts(), QStringList({"The project file you have choosen does not exist",
                                        "The selected file is not a Tolvanar project file"}));
    EXPECT_EQ(ReadRecentList(prog.file("tolvanar.ini")).size(), 2);
    EXPECT_TRUE(design.FNoProject);
}

TEST_F(Projects, ARecentEntryOpensAfterTheSaveQuestion)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/first.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    const QString first = DesignText();
    design.AddMainMenuEntry(QString(), "Unsaved", false, "main", "u.htm");
    design.SetModified(true);
    projects.Load_Recent();

    box.answer(mrCancel);
    projects.RecentList_Click(0);
    EXPECT_NE(DesignText(), first);
    EXPECT_TRUE(design.IsModified());

    box.answer(mrNo);
    projects.RecentList_Click(0);
    EXPECT_EQ(DesignText(), first);
    EXPECT_EQ(projects.WizardProjectFile, prog.file("Projects/first.tvp"));
    EXPECT_EQ(box.texts(), QStringList({"Project has not saved. Save now?", "Project has not saved. Save now?"}));
}

TEST_F(Projects, NoToTheQuestionKeepsTheChangesWhenNothingIsOpenedInstead)
{
    MakeNewProject();
    host.saveAnswers.push_back(prog.file("Projects/mine.tvp"));
    ASSERT_TRUE(projects.a_SaveAsExecute());
    design.AddMainMenuEntry(QString(), "Unsaved", false, "main", "u.htm");
    design.SetModified(true);
    const QString edited = DesignText();
    prog.write("Projects/broken.tvp", "no archive");
    ASSERT_TRUE(AddRecentProject(prog.file("tolvanar.ini"), prog.file("Projects/broken.tvp")));
    projects.Load_Recent();

    // No, then the open dialog cancelled: the edits stand and closing must still ask.
    box.answer(mrNo);
    projects.a_LoadSWFExecute();
    EXPECT_EQ(DesignText(), edited);
    EXPECT_TRUE(design.IsModified());
    EXPECT_EQ(Caption(), "Tolvanar - mine.tvp*");

    // No, then a file that is refused before anything was replaced: the same.
    box.answer(mrNo);
    host.openAnswers.push_back(prog.file("Projects/broken.tvp"));
    EXPECT_FALSE(ExceptionText([&] { projects.a_LoadSWFExecute(); }).isEmpty());
    EXPECT_TRUE(design.IsModified());
    box.answer(mrNo);
    EXPECT_FALSE(ExceptionText([&] { projects.RecentList_Click(0); }).isEmpty());
    EXPECT_EQ(DesignText(), edited);
    EXPECT_TRUE(design.IsModified());

    // No, then another project really opened: the dropped changes are gone, nothing to save.
    box.answer(mrNo);
    host.openAnswers.push_back(prog.file("Projects/mine.tvp"));
    projects.a_LoadSWFExecute();
    EXPECT_NE(DesignText(), edited);
    EXPECT_FALSE(design.IsModified());
    EXPECT_EQ(Caption(), "Tolvanar - mine.tvp");
}
