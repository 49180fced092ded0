// Template packages: the package table and its titles, the gallery listings, installing .tvm
// packages (good, partial and hostile ones) and Update Project.
#include "QtPrinting.h"
#include "Errors.h"
#include "Messages.h"
#include "TestSupport.h"
#include "CopyJournal.h"
#include "Temporaries.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uPackages.h"
#include "uProjects.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <deque>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <zip.h>

namespace {

// Every file and folder below root with its bytes ("" for folders, "->target" for links).
QMap<QString, QByteArray> Snapshot(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        const QString rel = QDir(root).relativeFilePath(fi.filePath());
        if (fi.isSymLink())
            out[rel] = "->" + fi.symLinkTarget().toUtf8();
        else if (fi.isDir())
            out[rel + "/"] = "";
        else
            out[rel] = ReadFileBytes(fi.filePath());
    }
    return out;
}

// What changed from before to after: "+name" added or changed, "-name" gone.
QStringList Changes(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    QStringList out;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            out << "+" + it.key();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            out << "-" + it.key();
    out.sort();
    return out;
}

class PackageHost : public IPackageHost {
public:
    std::deque<QString> openAnswers;
    QList<TFileDialogSetup> openSetups;
    bool latestOnTop = false;
    QStringList reloads;
    QStringList navigations;

    QString ChooseOpenFile(const TFileDialogSetup &setup) override
    {
        openSetups << setup;
        if (openAnswers.empty())
            return QString();
        const QString a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    bool LatestButtonsOnTop() const override { return latestOnTop; }
    void ReloadTemplateShortList(const QString &menuFile) override { reloads << menuFile; }
    void NavigateBrowser(const QString &file) override { navigations << file; }
};

// The seven files of one template as the shipped installation maps name them, each with its own bytes.
QList<RawMember> TemplateMembers(const QByteArray &folder, const QStringList &leaveOut = {})
{
    QList<RawMember> out{{folder + "/", ""}};
    for (const char *file : {"menu.swf", "menu.jpg", "menu_narrow.jpg", "template.xml", "template.jpg", "background.jpg",
                             "background_thumb.jpg"})
        if (!leaveOut.contains(QString::fromLatin1(file)))
            out << RawMember{folder + "/" + file, folder + ":" + file};
    return out;
}

QByteArray PackageXml(const QByteArray &id, const QList<std::pair<QByteArray, QByteArray>> &templates)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<package id=\"" + id + "\">\n";
    for (const auto &[tid, type] : templates)
        xml += "  <template id=\"" + tid + "\"" + (type.isNull() ? QByteArray() : " type=\"" + type + "\"") + "/>\n";
    return xml + "</package>\n";
}

// Where each of a template's seven files lands for one orientation.
QStringList InstalledFiles(const QString &id, const QString &orientation)
{
    const QString t = "Templates/" + orientation + "/";
    return {t + "BGround/" + id + ".jpg",          t + "BGround/Thumbnail/" + id + ".jpg",
            t + "Menus/" + id + ".swf",            t + "Menus/Thumbnail/" + id + ".jpg",
            t + "Menus/Thumbnail_Narrow/" + id + ".jpg", t + "Template/" + id + ".xml",
            t + "Template/Thumbnail/" + id + ".jpg"};
}

QStringList Added(QStringList files)
{
    for (QString &f : files)
        f.prepend("+");
    files.sort();
    return files;
}

// A program folder (prog/) with the shipped settings file, the package beside it, and a private
// temporary folder standing in for the system's, so that leftovers can be seen.
class Packages : public ::testing::Test {
protected:
    TempFolder root;
    TempFolder tmp;
    ScopedEnvironment tmpdir{"TMPDIR", QFile::encodeName(tmp.path())};
    PackageHost host;
    ScriptedMessageBox box;
    std::unique_ptr<TMenuDesign> design;
    TZipLimits limits;

    void SetUp() override
    {
        SetDefaultTexts();
        QDir().mkpath(prog());
        QFile::copy(ShippedDataDir() + "tolvanar.ini", prog() + "tolvanar.ini");
        design = std::make_unique<TMenuDesign>(prog());
        design->CurrentMenuFileName = "tvnr001.swf";
        ClearOnTopLists();
    }
    void TearDown() override
    {
        ClearOnTopLists();
        SetDefaultTexts();
    }

    QString prog() const { return root.path() + "prog/"; }
    QString package(const QString &name, const QList<RawMember> &members)
    {
        MakeZipArchive(root.file(name), members);
        return root.file(name);
    }
    bool install(const QString &file)
    {
        TPackages packages(*design, host, limits);
        return packages.InstallPackage(file);
    }
    // The exception text of an installation that must fail.
    QString refusal(const QString &file)
    {
        return ExceptionText([&] { install(file); });
    }
    QString shippedIni() const { return QString::fromUtf8(ReadFileBytes(ShippedDataDir() + "tolvanar.ini")); }
    QString ini() const { return QString::fromUtf8(ReadFileBytes(prog() + "tolvanar.ini")); }
    // Every temporary left, wherever one could be made: in the program folder and its template
    // folders, beside the package, and in the system's temporary folder.
    QStringList tmpLeft() const
    {
        QStringList found = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            if (const QString path = it.next(); QFileInfo(path).fileName().startsWith(TemporaryPrefix)
                                                || QFileInfo(path).fileName().startsWith(CopyBackupPrefix))
                found << path;
        return found;
    }
};

} // namespace

TEST_F(Packages, TableRowsAndTitlesFollowTheLanguage)
{
    InitPackages();
    QStringList rows;
    for (const TTVNRTheme &t : TemplatePackages)
        rows << QStringLiteral("%1 %2-%3 %4").arg(t.Code).arg(t.First).arg(t.Last).arg(t.Title);
    EXPECT_EQ(rows, QStringList({"tvnr 1-6 Standard Theme", "tvnr 7-12 Standard Theme 2.0", "tvmbiz 1-6 Business Theme 1.0",
                                 "tvmbiz 7-12 Business Theme 2.0", "tvmspt 1-6 Sport Theme 1.0", "tvmgbl 1-6 Global Theme 1.0",
                                 "tvmcyb 1-6 Cyber Theme 1.0", "tvmholi 1-6 Holiday Theme 1.0",
                                 "tvmrom 1-6 Romantic Theme 1.0", "tvmvb 1-6 Standard Theme", "tvstd 1-6 Standard Theme",
                                 "tvmjs 1-6 Season Theme", "tvmspt 7-12 Sport Theme 2.0", "tvmvnat 1-6 Nature Theme 1.0",
                                 "tvmjy 1-6 Jet & Yacht Theme 1.0", "tvmvgbl 1-6 Global Theme 2.0"}));

    QStringList pages{"tvmbiz001 - tvmbiz006", "tvmbiz001 - tvmbiz005", "tvnr007 - tvnr012", "tvmvb001 - tvmvb006",
                      "TVMBIZ001 - TVMBIZ006", "tvmx001 - tvmy003"};
    const QStringList labels = pages;
    ReplacePackageCaptions(pages);
    EXPECT_EQ(pages, QStringList({"Business Theme 1.0", "tvmbiz001 - tvmbiz005", "Standard Theme 2.0", "Standard Theme",
                                  "TVMBIZ001 - TVMBIZ006", "tvmx001 - tvmy003"}));

    // A new language: the titles change only when the table is built again.
    SetLangMsg(85, QStringLiteral("Geschäftsthema 1.0"));
    SetLangMsg(84, QStringLiteral("Standardthema"));
    EXPECT_EQ(TemplatePackages[2].Title, "Business Theme 1.0");
    InitPackages();
    EXPECT_EQ(TemplatePackages[2].Title, QStringLiteral("Geschäftsthema 1.0"));
    EXPECT_EQ(TemplatePackages[0].Title, "Standardthema");
    EXPECT_EQ(TemplatePackages[10].Title, "Standardthema");
    pages = labels;
    ReplacePackageCaptions(pages);
    EXPECT_EQ(pages[0], QStringLiteral("Geschäftsthema 1.0"));
    EXPECT_EQ(pages[3], "Standardthema");
}

TEST_F(Packages, TemplateIdsHaveThreeDigits)
{
    EXPECT_EQ(TemplateId("tvmbiz", 7), "tvmbiz007");
    EXPECT_EQ(TemplateId("tvnr", 12), "tvnr012");
    EXPECT_EQ(TemplateId("tvnr", 0), "tvnr000");
    EXPECT_EQ(TemplateId("x", 1234), "x1234");
}

TEST_F(Packages, ListingsOfTheShippedTemplateFolders)
{
    InitPackages();
    const QStringList shipped{"tvnr001", "tvnr007", "tvmbiz001", "tvmbiz007", "tvmspt001", "tvmgbl001",
                              "tvmcyb001", "tvmholi001", "tvmrom001", "tvmvb001", "tvstd001", "tvmjs001",
                              "tvmspt007", "tvmvnat001", "tvmjy001", "tvmvgbl001"};
    for (const char *orientation : {"Horizontal", "Vertical"}) {
        const QString folder = ShippedDataDir() + "Templates/" + orientation + "/Template/";
        QStringList list;
        ListPackageTemplates(folder, list);
        EXPECT_EQ(list, shipped) << orientation;
        // Every shipped design belongs to a package of the table.
        ListOtherTemplates(folder, list);
        EXPECT_EQ(list, shipped) << orientation;
    }
}

TEST_F(Packages, OtherTemplatesComeAfterThePackagesEachOnce)
{
    InitPackages();
    TempFolder folder;
    for (const char *name : {"tvnr001.xml", "TVNR002.XML", "mine.xml", "Zeta.xml", "alpha.XML", "notes.txt", ".hidden.xml",
                             "tvmbiz013.xml"})
        folder.write(name, "<x/>");
    QDir().mkpath(folder.file("dir.xml"));
    QStringList list{"given"};
    ListPackageTemplates(folder.path(), list);
    EXPECT_EQ(list, QStringList({"given", "tvnr001", "tvnr002"}));
    ListOtherTemplates(folder.path(), list);
    EXPECT_EQ(list, QStringList({"given", "tvnr001", "tvnr002", ".hidden", "alpha", "mine", "tvmbiz013", "Zeta"}));
}

TEST_F(Packages, AGoodPackageInstallsExactlyItsFilesAndIsRegistered)
{
    CopyTree(ShippedDataDir(), prog());
    const QString file = package("good.tvm", QList<RawMember>{{"package.xml", PackageXml("biz-pack", {{"tvmnew001", "h"},
                                                                                                        {"tvmnew002", "v"}})}}
                                                 + TemplateMembers("tvmnew001") + TemplateMembers("tvmnew002")
                                                 + QList<RawMember>{{"readme.txt", "ignored"}});
    const auto before = Snapshot(prog());

    EXPECT_TRUE(install(file));

    EXPECT_EQ(Changes(before, Snapshot(prog())),
              Added(InstalledFiles("tvmnew001", "Horizontal") + InstalledFiles("tvmnew002", "Vertical")
                    + QStringList{"tolvanar.ini"}));
    EXPECT_EQ(ReadFileBytes(prog() + "Templates/Horizontal/Menus/tvmnew001.swf"), "tvmnew001:menu.swf");
    EXPECT_EQ(ReadFileBytes(prog() + "Templates/Horizontal/Menus/Thumbnail_Narrow/tvmnew001.jpg"),
              "tvmnew001:menu_narrow.jpg");
    EXPECT_EQ(ReadFileBytes(prog() + "Templates/Vertical/BGround/Thumbnail/tvmnew002.jpg"), "tvmnew002:background_thumb.jpg");
    EXPECT_EQ(ReadFileBytes(prog() + "Templates/Vertical/Template/tvmnew002.xml"), "tvmnew002:template.xml");
    EXPECT_EQ(ini(), shippedIni() + "[register]\r\ntemplate1=biz-pack\r\n");
    EXPECT_EQ(box.texts(), QStringList({"Template Package \"good.tvm\" has been installed and registered successfully."}));
    EXPECT_EQ(box.shown().front().icon, MsgIcon::Information);
    EXPECT_EQ(host.reloads, QStringList({"tvnr001.swf"}));
    EXPECT_TRUE(tmpLeft().isEmpty()) << tmpLeft().join(", ").toStdString();
    // Without the option the on-top lists stay as they were.
    EXPECT_TRUE(HorzTop.isEmpty());
    EXPECT_TRUE(VertTop.isEmpty());

    // Installed again, the package is registered once; a second package takes the next key.
    EXPECT_TRUE(install(file));
    const QString other = package("other.tvm", QList<RawMember>{{"package.xml", PackageXml("nature", {})}}
                                                   + TemplateMembers("tvmnew003"));
    EXPECT_TRUE(install(other));
    EXPECT_EQ(ini(), shippedIni() + "[register]\r\ntemplate1=biz-pack\r\ntemplate2=nature\r\n");
}

TEST_F(Packages, OnlyTypeVChoosesTheVerticalMap)
{
    const QString file = package("types.tvm", QList<RawMember>{{"package.xml", PackageXml("t", {{"tvmlow001", "v"},
                                                                                                {"tvmcap001", "V"},
                                                                                                {"tvmnone001", QByteArray()}})}}
                                                  + TemplateMembers("tvmlow001") + TemplateMembers("tvmcap001")
                                                  + TemplateMembers("tvmnone001"));
    const auto before = Snapshot(prog());
    EXPECT_TRUE(install(file));
    QStringList expected = InstalledFiles("tvmlow001", "Vertical") + InstalledFiles("tvmcap001", "Horizontal")
        + InstalledFiles("tvmnone001", "Horizontal");
    // The template folders did not exist in this program folder: they are made.
    for (const char *folder : {"Templates/", "Templates/Horizontal/", "Templates/Vertical/"})
        expected << folder;
    for (const char *o : {"Horizontal", "Vertical"})
        for (const char *sub : {"BGround/", "BGround/Thumbnail/", "Menus/", "Menus/Thumbnail/", "Menus/Thumbnail_Narrow/",
                                "Template/", "Template/Thumbnail/"})
            expected << QStringLiteral("Templates/%1/%2").arg(o, sub);
    expected << "tolvanar.ini";
    EXPECT_EQ(Changes(before, Snapshot(prog())), Added(expected));
}

TEST_F(Packages, WithoutPackageXmlEveryFolderIsHorizontalAndListedByFileName)
{
    const QString file = package("Plain Pack.tvm", TemplateMembers("tvmp001") + TemplateMembers("tvmp002"));
    EXPECT_TRUE(install(file));
    for (const char *id : {"tvmp001", "tvmp002"})
        for (const QString &f : InstalledFiles(id, "Horizontal"))
            EXPECT_TRUE(QFileInfo(prog() + f).isFile()) << f.toStdString();
    EXPECT_EQ(ini(), shippedIni() + "[register]\r\ntemplate1=Plain Pack\r\n");
}

TEST_F(Packages, LatestOnTopPutsNewTemplatesFirst)
{
    host.latestOnTop = true;
    for (int i = 1; i <= 12; ++i)
        HorzTop << QStringLiteral("old%1").arg(i);
    HorzTop[3] = "tvmhorz001";
    HorzTopSpec << "TVMSPEC001";
    // A folder met before package.xml still goes on the list of its own orientation.
    const QString file = package("top.tvm", TemplateMembers("tvmearly001")
                                                + QList<RawMember>{{"package.xml", PackageXml("top", {{"tvmearly001", "v"},
                                                                                                      {"tvmvert001", "v"}})}}
                                                + TemplateMembers("tvmvert001") + TemplateMembers("tvmspec001")
                                                + TemplateMembers("tvmhorz001"));
    EXPECT_TRUE(install(file));
    EXPECT_EQ(HorzTop, QStringList({"tvmhorz001", "old1", "old2", "old3", "tvmhorz001", "old5", "old6", "old7", "old8",
                                    "old9", "old10", "old11"}));
    EXPECT_EQ(VertTop, QStringList({"tvmvert001", "tvmearly001"}));
    EXPECT_TRUE(QFileInfo(prog() + "Templates/Vertical/Menus/tvmearly001.swf").isFile());
    EXPECT_FALSE(QFileInfo(prog() + "Templates/Horizontal/Menus/tvmearly001.swf").exists());
    EXPECT_TRUE(QFileInfo(prog() + "Templates/Horizontal/Menus/tvmspec001.swf").isFile());
}

TEST_F(Packages, MissingMembersAreReportedEachAndTheRestInstalledWithoutSuccess)
{
    host.latestOnTop = true;
    const QString file = package("part.tvm", QList<RawMember>{{"package.xml", PackageXml("part", {})}}
                                                 + TemplateMembers("tvmpart001", {"menu_narrow.jpg", "background_thumb.jpg"}));
    EXPECT_FALSE(install(file));
    EXPECT_EQ(box.texts(), QStringList({"The \"menu_narrow.jpg\" file was not found in \"tvmpart001/\" directory.",
                                        "The \"background_thumb.jpg\" file was not found in \"tvmpart001/\" directory."}));
    EXPECT_EQ(box.shown().front().icon, MsgIcon::Error);
    EXPECT_TRUE(QFileInfo(prog() + "Templates/Horizontal/Menus/tvmpart001.swf").isFile());
    EXPECT_FALSE(QFileInfo(prog() + "Templates/Horizontal/Menus/Thumbnail_Narrow/tvmpart001.jpg").exists());
    EXPECT_EQ(HorzTop, QStringList({"tvmpart001"}));
    EXPECT_EQ(host.reloads.size(), 1);
    // Not installed in full: not registered.
    EXPECT_EQ(ini(), shippedIni());
}

TEST_F(Packages, InstallTemplateTakesTheStartupFileOrAsks)
{
    package("start.tvm", TemplateMembers("tvmstart001"));
    QFile::rename(root.file("start.tvm"), prog() + "start.tvm");
    TPackages packages(*design, host, limits);

    // A bare start-up name comes from the program folder; the name is used up and no dialog opens.
    QString startup = "start.tvm";
    EXPECT_TRUE(packages.a_InstallTemplateExecute(startup));
    EXPECT_TRUE(startup.isEmpty());
    EXPECT_TRUE(host.openSetups.isEmpty());
    EXPECT_TRUE(QFileInfo(prog() + "Templates/Horizontal/Menus/tvmstart001.swf").isFile());

    // Otherwise the open dialog: cancelled, nothing happens.
    EXPECT_FALSE(packages.a_InstallTemplateExecute(startup));
    ASSERT_EQ(host.openSetups.size(), 1);
    EXPECT_EQ(host.openSetups[0].Filter, "Tolvanar Template Files (*.tvm)|*.tvm");
    EXPECT_EQ(host.openSetups[0].InitialFolder, "");
    EXPECT_EQ(box.texts().size(), 1);

    // A start-up name with a folder part is used as it stands.
    startup = prog() + "start.tvm";
    EXPECT_TRUE(packages.a_InstallTemplateExecute(startup));
    EXPECT_EQ(host.openSetups.size(), 1);
}

TEST_F(Packages, HostileArchivesAreRefusedAndWriteNothing)
{
    host.latestOnTop = true;
    limits.MaxMemberSize = 64 * 1024;
    limits.MaxTotalSize = 200 * 1024;
    const QList<RawMember> good = TemplateMembers("tvmok001");
    struct Case {
        const char *what;
        QList<RawMember> members;
        QString error;
    };
    const QString pkg = root.file("bad.tvm");
    const QString cannot = "The archive \"" + pkg + "\" cannot be extracted: ";
    QList<Case> cases{
        {"climbing", good + QList<RawMember>{{"../escape.txt", "evil"}},
         cannot + "the member name \"../escape.txt\" leads outside the target folder."},
        {"climbing inside a template", good + QList<RawMember>{{"tvmok001\\..\\..\\..\\evil.swf", "evil"}},
         cannot + "the member name \"tvmok001/../../../evil.swf\" leads outside the target folder."},
        {"absolute", good + QList<RawMember>{{"/tmp/tolvanar-absolute.txt", "evil"}},
         cannot + "the member name \"/tmp/tolvanar-absolute.txt\" leads outside the target folder."},
        {"drive", good + QList<RawMember>{{"C:\\evil.txt", "evil"}},
         cannot + "the member name \"C:/evil.txt\" leads outside the target folder."},
        {"link", TemplateMembers("tvmok001", {"menu.swf"}) + QList<RawMember>{{"tvmok001/menu.swf", "/etc/passwd", S_IFLNK | 0777}},
         cannot + "the member \"tvmok001/menu.swf\" is a link."},
        {"bomb", TemplateMembers("tvmok001", {"menu.swf"}) + QList<RawMember>{{"tvmok001/menu.swf", QByteArray(1 << 20, '\0')}},
         cannot + "the member \"tvmok001/menu.swf\" is too large."},
        {"not well-formed", QList<RawMember>{{"Package.XML", "<package id=\"x\"><template id=\"a\"></package>"}} + good,
         "The template package \"bad.tvm\" cannot be installed: package.xml "},
        {"no package id", QList<RawMember>{{"package.xml", "<package><template id=\"tvmok001\"/></package>"}} + good,
         "The template package \"bad.tvm\" cannot be installed: package.xml: Node \"package\" has no attribute \"id\"."},
        {"no template id", QList<RawMember>{{"package.xml", "<package id=\"p\"><template type=\"v\"/></package>"}} + good,
         "The template package \"bad.tvm\" cannot be installed: package.xml: Node \"template\" has no attribute \"id\"."},
        {"empty package.xml", QList<RawMember>{{"package.xml", ""}} + good,
         "The template package \"bad.tvm\" cannot be installed: package.xml "},
        {"folder name with a colon", QList<RawMember>{{"tvm:ok001/", ""}} + good,
         "The template package \"bad.tvm\" cannot be installed: the template folder \"tvm:ok001\" has no valid template "
         "name."},
        {"no folder entries", QList<RawMember>{{"tvmok001/menu.swf", "movie"}, {"package.xml", PackageXml("p", {})}},
         "Directories was not found."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pkg);
        MakeZipArchive(pkg, c.members);
        const auto before = Snapshot(root.path());
        const QString error = refusal(pkg);
        if (c.error.endsWith(' '))
            EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
        else
            EXPECT_EQ(error, c.error);
        EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
        EXPECT_TRUE(tmpLeft().isEmpty()) << tmpLeft().join(", ").toStdString();
        EXPECT_FALSE(QFileInfo::exists("/tmp/tolvanar-absolute.txt"));
        EXPECT_TRUE(box.texts().isEmpty());
        EXPECT_TRUE(HorzTop.isEmpty());
        EXPECT_TRUE(host.reloads.isEmpty());
    }

    // Not a ZIP archive at all.
    root.write("text.tvm", "just text");
    EXPECT_TRUE(refusal(root.file("text.tvm")).startsWith("Cannot open the archive \"" + root.file("text.tvm") + "\": "));
    EXPECT_TRUE(refusal(root.file("none.tvm")).startsWith("Cannot open the archive \"" + root.file("none.tvm") + "\": "));
}

TEST_F(Packages, DeflatedPicturesInstallAndWhatNoMapTakesIsNotJudged)
{
    // A plain background deflates about a thousandfold. The package's other files are not taken, so
    // neither one larger than a member may be, nor one packed beyond deflate's reach, nor their sum
    // refuses it.
    limits.MaxMemberSize = 7 << 20;
    limits.MaxTotalSize = 8 << 20;
    const QByteArray plain(6 << 20, '\x7f');
    QList<RawMember> members = TemplateMembers("tvmplain001", {"background.jpg"})
        + QList<RawMember>{{"tvmplain001/background.jpg", plain}, {"tvmplain001/extras/huge.bin", QByteArray(8 << 20, 'h')}};
    if (zip_compression_method_supported(ZIP_CM_BZIP2, 1))
        members << RawMember{"tvmplain001/extras/zeros.bin", QByteArray(6 << 20, '\0'), S_IFREG | 0644, false, ZIP_CM_BZIP2};
    MakeZipArchive(root.file("plain.tvm"), members);
    bool installed = false;
    EXPECT_EQ(ExceptionText([&] { installed = install(root.file("plain.tvm")); }), QString());
    EXPECT_TRUE(installed);
    EXPECT_EQ(ReadFileBytes(prog() + "Templates/Horizontal/BGround/tvmplain001.jpg"), plain);
    EXPECT_TRUE(tmpLeft().isEmpty());
}

TEST_F(Packages, EncryptedMembersAreRefused)
{
    if (!zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        GTEST_SKIP() << "libzip without AES";
    const QString file = package("enc.tvm", TemplateMembers("tvmok001")
                                                + QList<RawMember>{{"tvmok001/secret.txt", "x", S_IFREG | 0644, true}});
    const auto before = Snapshot(root.path());
    EXPECT_EQ(refusal(file), "The archive \"" + file + "\" cannot be extracted: the member \"tvmok001/secret.txt\" is encrypted.");
    EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
}

TEST_F(Packages, TheSettingsFileAndItsMapsAreCheckedBeforeAnythingIsWritten)
{
    const QString file = package("good.tvm", QList<RawMember>{{"package.xml", PackageXml("p", {{"tvmv001", "v"}})}}
                                                 + TemplateMembers("tvmh001") + TemplateMembers("tvmv001"));
    const QString head = "The template package \"good.tvm\" cannot be installed: ";
    struct Case {
        const char *what;
        QByteArray ini;
        QString error;
    };
    const QByteArray vertical = "[Vertical]\nmenu.swf=Templates\\Vertical\\Menus\n";
    const QList<Case> cases{
        {"destination climbs out", "[Horizontal]\nmenu.swf=Templates\\Horizontal\\Menus\nmenu.jpg=..\\..\\outside\n" + vertical,
         head + "the file \"..\\..\\outside\\tvmh001.jpg\" of the line \"menu.jpg=..\\..\\outside\" of the settings file "
                "would lie outside the program folder."},
        {"absolute destination", "[Horizontal]\nmenu.swf=/tmp\n" + vertical,
         head + "the file \"/tmp\\tvmh001.swf\" of the line \"menu.swf=/tmp\" of the settings file would lie outside the "
                "program folder."},
        {"file climbs out", "[Horizontal]\n..\\..\\menu.swf=Templates\n" + vertical,
         head + "the file \"Templates\\tvmh001.swf\" of the line \"..\\..\\menu.swf=Templates\" of the settings file would "
                "lie outside the program folder."},
        {"no vertical map", "[Horizontal]\nmenu.swf=Templates\\Horizontal\\Menus\n",
         head + "the settings file \"" + prog() + "tolvanar.ini\" has no section [Vertical]."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(prog() + "tolvanar.ini", c.ini);
        const auto before = Snapshot(root.path());
        EXPECT_EQ(refusal(file), c.error);
        EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
        EXPECT_TRUE(box.texts().isEmpty());
    }

    // A link in a template folder does not lead the copy out either.
    WriteFileBytes(prog() + "tolvanar.ini", "[Horizontal]\nmenu.swf=Templates\\Menus\n" + vertical);
    QDir().mkpath(prog() + "Templates");
    QFile::link(root.path(), prog() + "Templates/Menus");
    const auto before = Snapshot(root.path());
    EXPECT_EQ(refusal(file), head + "the file \"Templates\\Menus\\tvmh001.swf\" of the line \"menu.swf=Templates\\Menus\" "
                                    "of the settings file would lie outside the program folder.");
    EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());

    QFile::remove(prog() + "tolvanar.ini");
    EXPECT_EQ(refusal(file), "The \"" + prog() + "tolvanar.ini\" file was not found.");
}

TEST_F(Packages, AFailedCopyPutsBackWhatItHadReplaced)
{
    CopyTree(ShippedDataDir(), prog());
    const QString file = package("re.tvm", TemplateMembers("tvnr001"));
    // The third file's target is taken by a folder.
    QFile::remove(prog() + "Templates/Horizontal/Menus/Thumbnail_Narrow/tvnr001.jpg");
    ASSERT_TRUE(QDir().mkpath(prog() + "Templates/Horizontal/Menus/Thumbnail_Narrow/tvnr001.jpg"));
    QFile::remove(prog() + "Templates/Horizontal/Menus/Thumbnail/tvnr001.jpg");
    const auto before = Snapshot(root.path());
    EXPECT_EQ(refusal(file), "The template package \"re.tvm\" cannot be installed: the file \"" + prog()
                                 + "Templates/Horizontal/Menus/Thumbnail_Narrow/tvnr001.jpg\" cannot be written: it is "
                                   "not a plain file.");
    EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
    EXPECT_TRUE(tmpLeft().isEmpty());
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_TRUE(host.reloads.isEmpty());
}

TEST_F(Packages, AnInstallThatFillsTheDiskIsUndoneWholeAndSaysWhy)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root mounts the small file system the program folder needs here";
    // The program folder on a file system of its own, which the install fills.
    ASSERT_EQ(mount("tmpfs", QFile::encodeName(prog()).constData(), "tmpfs", 0, "size=64m"), 0) << strerror(errno);
    const auto unmount = qScopeGuard([&] { umount2(QFile::encodeName(prog()).constData(), MNT_DETACH); });
    QFile::copy(ShippedDataDir() + "tolvanar.ini", prog() + "tolvanar.ini");
    const auto version = [&](char v) {
        QList<RawMember> members{{"tvmflt001/", ""}};
        for (const char *file : {"menu.swf", "menu.jpg", "menu_narrow.jpg", "template.xml", "template.jpg",
                                 "background.jpg", "background_thumb.jpg"})
            members << RawMember{QByteArray("tvmflt001/") + file, QByteArray(1 << 20, v), S_IFREG | 0644, false,
                                 ZIP_CM_STORE};
        return package(QStringLiteral("v%1.tvm").arg(v), members);
    };
    const QString v1 = version('1'), v2 = version('2');
    ASSERT_TRUE(install(v1));
    const auto before = Snapshot(prog() + "Templates");
    // Room for the unpacked package and three and a half of its files: the fourth copy fails.
    struct statvfs fs {};
    ASSERT_EQ(statvfs(QFile::encodeName(prog()).constData(), &fs), 0);
    const qint64 room = (qint64(7) << 20) + (qint64(7) << 19) + (qint64(64) << 10);
    const qint64 fill = qint64(fs.f_bavail) * qint64(fs.f_frsize) - room;
    ASSERT_GT(fill, 0);
    const int filler = open(QFile::encodeName(prog() + "filler").constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(posix_fallocate(filler, 0, fill), 0);
    close(filler);

    const QString error = refusal(v2);
    EXPECT_TRUE(error.endsWith(": " + qt_error_string(ENOSPC) + ".")) << error.toStdString();
    EXPECT_EQ(Changes(before, Snapshot(prog() + "Templates")), QStringList());
    EXPECT_TRUE(tmpLeft().isEmpty()) << tmpLeft().join(" ").toStdString();
}

TEST_F(Packages, AMapLineNamingTheProgramFolderItselfIsRefused)
{
    const QString file = package("good.tvm", TemplateMembers("tvmok001"));
    for (const char *line : {"menu.swf=", "menu.swf=.", "menu.swf=Templates\\.\\..\\"}) {
        SCOPED_TRACE(line);
        WriteFileBytes(prog() + "tolvanar.ini",
                       shippedIni().replace("menu.swf=Templates\\Horizontal\\Menus", QString::fromLatin1(line)).toUtf8());
        const auto before = Snapshot(root.path());
        const QString error = refusal(file);
        EXPECT_TRUE(error.startsWith("The template package \"good.tvm\" cannot be installed: ")) << error.toStdString();
        EXPECT_TRUE(error.contains(line)) << error.toStdString();
        EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
        EXPECT_TRUE(box.texts().isEmpty());
    }
}

TEST_F(Packages, AnInstallKilledHalfWayLeavesNothingOnceInstalledAgain)
{
    // Large files, stored as they are, so that unpacking and copying take a while.
    const QString file = package("big.tvm", QList<RawMember>{{"package.xml", PackageXml("big", {})}}
                                                + TemplateMembers("tvmbig001", {"menu.swf", "background.jpg"})
                                                + QList<RawMember>{{"tvmbig001/menu.swf", QByteArray(16 << 20, 's'),
                                                                    S_IFREG | 0644, false, ZIP_CM_STORE},
                                                                   {"tvmbig001/background.jpg", QByteArray(16 << 20, 'b'),
                                                                    S_IFREG | 0644, false, ZIP_CM_STORE}});
    EXPECT_TRUE(install(file));
    const QStringList installed = Snapshot(root.path()).keys();
    const auto leftovers = [&] {
        QStringList extra;
        QDirIterator it(prog() + "Templates", QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo fi(it.next());
            const QString rel = QDir(root.path()).relativeFilePath(fi.filePath()) + (fi.isDir() ? "/" : "");
            if (!installed.contains(rel))
                extra << rel;
        }
        return extra;
    };
    ASSERT_TRUE(KillMidway([&] { install(file); }, [&] { return !leftovers().isEmpty(); }));
    ASSERT_FALSE(leftovers().isEmpty());

    // The next install leaves the program folder as the first did and nothing in the temporary folder.
    EXPECT_TRUE(install(file));
    EXPECT_EQ(Snapshot(root.path()).keys(), installed);
    EXPECT_TRUE(tmpLeft().isEmpty()) << tmpLeft().join(", ").toStdString();
}

// Update Project on a copy of the shipped program folder.
class UpdateProject : public Packages {
protected:
    void SetUp() override
    {
        Packages::SetUp();
        CopyTree(ShippedDataDir(), prog());
        design->CurrentMenuFileName = "tvmbiz001.swf";
        design->Controls.BackgroundImage = "tvmbiz001.jpg";
        WriteFileBytes(work() + "tvmbiz001.swf", "old movie");
        WriteFileBytes(work() + "flashmenu/tvmbiz001.jpg", "old background");
        WriteFileBytes(work() + "flashmenu.htm", "<html/>");
    }
    QString work() const { return prog() + "MenuPreview/"; }
    bool update()
    {
        TPackages packages(*design, host, limits);
        return packages.a_UpdateExecute();
    }
    QString missingText(const QString &movie, const QString &background) const
    {
        return "File(s) your project using cannot be found.\r\nMenu:  " + movie + "\r\nBackground:  " + background;
    }
};

TEST_F(UpdateProject, CopiesTheMovieAndBackgroundAfterTheQuestion)
{
    const auto before = Snapshot(root.path());
    box.answer(mrOK);
    EXPECT_TRUE(update());
    EXPECT_EQ(Changes(before, Snapshot(root.path())),
              QStringList({"+prog/MenuPreview/flashmenu/tvmbiz001.jpg", "+prog/MenuPreview/tvmbiz001.swf"}));
    EXPECT_EQ(ReadFileBytes(work() + "tvmbiz001.swf"), ReadFileBytes(prog() + "Templates/Horizontal/Menus/tvmbiz001.swf"));
    EXPECT_EQ(ReadFileBytes(work() + "flashmenu/tvmbiz001.jpg"),
              ReadFileBytes(prog() + "Templates/Horizontal/BGround/tvmbiz001.jpg"));
    ASSERT_EQ(box.shown().size(), 2);
    EXPECT_EQ(box.shown()[0].text, "Menu files in your project will be replaced with the ones which comes with the software "
                                   "installation.\r\nAre you sure?");
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Question);
    EXPECT_EQ(box.shown()[0].buttons, QList<int>({mrOK, mrCancel}));
    EXPECT_EQ(box.shown()[1].text, "Update complete.");
    EXPECT_EQ(box.shown()[1].icon, MsgIcon::Information);
    EXPECT_EQ(host.navigations, QStringList({work() + "flashmenu.htm"}));
}

TEST_F(UpdateProject, CancelChangesNothing)
{
    const auto before = Snapshot(root.path());
    box.answer(mrCancel);
    EXPECT_FALSE(update());
    EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
    EXPECT_EQ(box.shown().size(), 1);
    EXPECT_TRUE(host.navigations.isEmpty());
}

TEST_F(UpdateProject, AVerticalProjectTakesTheVerticalTemplatesFoundWithoutCase)
{
    design->SetOrientation(false);
    design->CurrentMenuFileName = "flashmenu\\TVMBIZ001.SWF";
    QFile::remove(prog() + "Templates/Horizontal/Menus/tvmbiz001.swf");
    WriteFileBytes(prog() + "Templates/Vertical/Menus/tvmbiz001.swf", "vertical movie");
    box.answer(mrOK);
    EXPECT_TRUE(update());
    EXPECT_EQ(ReadFileBytes(work() + "TVMBIZ001.SWF"), "vertical movie");
    EXPECT_EQ(ReadFileBytes(work() + "flashmenu/tvmbiz001.jpg"),
              ReadFileBytes(prog() + "Templates/Vertical/BGround/tvmbiz001.jpg"));
}

TEST_F(UpdateProject, AMissingSourceCopiesNothing)
{
    struct Case {
        const char *what;
        QString movie, background, shownMovie, shownBackground;
    };
    const QList<Case> cases{
        {"no background name", "tvmbiz001.swf", "", "tvmbiz001.swf", ""},
        {"no such movie", "tvmgone001.swf", "tvmbiz001.jpg", "tvmgone001.swf", "tvmbiz001.jpg"},
        {"background of another folder", "tvmbiz001.swf", "..\\..\\tolvanar.ini", "tvmbiz001.swf", "tolvanar.ini"},
        {"dot dot", "..", "tvmbiz001.jpg", "..", "tvmbiz001.jpg"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedMessageBox answers;
        answers.answer(mrOK);
        design->CurrentMenuFileName = c.movie;
        design->Controls.BackgroundImage = c.background;
        const auto before = Snapshot(root.path());
        EXPECT_FALSE(update());
        EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
        ASSERT_EQ(answers.shown().size(), 2);
        EXPECT_EQ(answers.shown()[1].text, missingText(c.shownMovie, c.shownBackground));
        EXPECT_EQ(answers.shown()[1].icon, MsgIcon::Error);
        EXPECT_TRUE(host.navigations.isEmpty());
    }
}

TEST_F(UpdateProject, ACopyThatFailsLeavesBothFilesAsTheyWere)
{
    // The background's target is taken by a folder.
    QFile::remove(work() + "flashmenu/tvmbiz001.jpg");
    ASSERT_TRUE(QDir().mkpath(work() + "flashmenu/tvmbiz001.jpg"));
    const auto before = Snapshot(root.path());
    box.answer(mrOK);
    EXPECT_EQ(ExceptionText([&] { update(); }), "The file \"" + work() + "flashmenu/tvmbiz001.jpg\" cannot be written: "
                                                "it is not a plain file; the project's files were not updated.");
    EXPECT_EQ(Changes(before, Snapshot(root.path())), QStringList());
    EXPECT_EQ(box.shown().size(), 1);
    EXPECT_TRUE(host.navigations.isEmpty());
}

TEST_F(UpdateProject, UpdatedFilesMarkTheProjectForSaving)
{
    // The project file still holds the old movie and background: closing must offer to save the new.
    design->SetModified(false);
    box.answer(mrCancel);
    update();
    EXPECT_FALSE(design->IsModified());
    box.answer(mrOK);
    design->Controls.BackgroundImage = QString();
    update();
    EXPECT_FALSE(design->IsModified());
    box.answer(mrOK);
    design->Controls.BackgroundImage = "tvmbiz001.jpg";
    ASSERT_TRUE(update());
    EXPECT_TRUE(design->IsModified());
}
