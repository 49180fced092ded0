// Save, open and publish (CD-ROM) of a large project, each against the system tool that does the
// same work on the same files in the same run: zip -r, unzip -q and cp -r. The design has 5,000
// entries; the media (209 MiB of random bytes, as pictures and sounds do not compress) are made
// here in a temporary folder and removed at the end.
#include "BenchDesign.h"
#include "BrowserPane.h"
#include "MessageBox.h"
#include "Messages.h"
#include "ShellOpen.h"
#include "uHtmlOptions.h"
#include "uPreview.h"
#include "uProjects.h"
#include "uPublish.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

class NoPane : public BrowserPane {
public:
    void Navigate(const QString &) override {}
    QSize Size() const override { return {800, 300}; }
};

class Host : public IPreviewHost, public IPublishHost, public IProjectHost {
public:
    NoPane pane;
    QString saveAs, publishTo;
    BrowserPane *Browser() override { return &pane; }
    QString ShowPublishSettings(int, int) override { return QStringLiteral("3=-1"); }
    QString BrowseForFolder(const QString &, const QString &) override { return publishTo; }
    QString ChooseOpenFile(const TFileDialogSetup &) override { return QString(); }
    QString ChooseSaveFile(const TFileDialogSetup &) override { return saveAs; }
    bool ShowSelectMenuType(const QString &, bool &) override { return false; }
    bool ShowMenuButtonsStyle(const QString &, const QString &) override { return false; }
};

void WriteRandomFile(const QString &path, qint64 mib)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    std::vector<quint32> block(1 << 18); // 1 MiB
    for (qint64 i = 0; i < mib; ++i) {
        QRandomGenerator::global()->fillRange(block.data(), block.size());
        out.write(reinterpret_cast<const char *>(block.data()), qint64(block.size() * sizeof(quint32)));
    }
}

// Each step starts with nothing left to write back from the one before.
double Milliseconds(const std::function<void()> &work)
{
    ::sync();
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, arguments);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    SetDefaultTexts();
    SetMessageBoxHandler([](const MessageBoxRequest &) { return int(mrOK); });
    SetFolderOpener([](const QString &) { return true; });

    QTemporaryDir dir;
    const QString prog = dir.path() + QLatin1Char('/');
    CopyBenchTemplates(dir.path());
    const QString work = prog + QStringLiteral("MenuPreview/");
    QDir().mkpath(work + QStringLiteral("flashmenu"));
    const QList<std::pair<QString, int>> media{
        {QStringLiteral("tvmbiz001.swf"), 9},        {QStringLiteral("flashmenu/bg.jpg"), 60},
        {QStringLiteral("flashmenu/logo.jpg"), 40},  {QStringLiteral("flashmenu/music.mp3"), 60},
        {QStringLiteral("flashmenu/home.jpg"), 20},  {QStringLiteral("flashmenu/mail.jpg"), 20}};
    for (const auto &[name, mib] : media)
        WriteRandomFile(work + name, mib);

    Host host;
    THtmlPageOptions page;
    TMenuDesign design(prog);
    FillBenchDesign(design);
    design.SetNoProject(false);
    design.CurrentMenuFileName = QStringLiteral("tvmbiz001.swf");
    design.Controls.BackgroundImage = QStringLiteral("bg.jpg");
    design.Controls.LogoImage = QStringLiteral("logo.jpg");
    design.Controls.BackgroundSound = QStringLiteral("music.mp3");
    design.FIconInfo.Items[0].Img = QStringLiteral("flashmenu\\home.jpg");
    design.FIconInfo.Items[2].Img = QStringLiteral("flashmenu\\mail.jpg");
    TPreviewSet preview(design, page, host);
    TProjects projects(design, preview, page, host, prog + QStringLiteral("tolvanar.ini"));
    preview.RefreshPreview();

    const QString project = prog + QStringLiteral("big.tvp");
    const QString zipped = prog + QStringLiteral("big.zip");
    const QString unzipped = prog + QStringLiteral("unzipped");
    const QString published = prog + QStringLiteral("published");
    const QString copied = prog + QStringLiteral("copied");
    host.saveAs = project;
    host.publishTo = published;

    std::vector<double> save, zip, open, unzip, publish, cp;
    for (int round = 0; round < rounds; ++round) {
        QFile::remove(project);
        save.push_back(Milliseconds([&] {
            if (!projects.a_SaveAsExecute())
                qFatal("the project was not saved");
        }));
        QFile::remove(zipped);
        // The stored names use "\\"; zip wants the files' own paths.
        QStringList members = ProjectMemberNames(design.BuildMenuXml(false, false, false), design.CurrentMenuFileName);
        members.replaceInStrings(QStringLiteral("\\"), QStringLiteral("/"));
        zip.push_back(Milliseconds([&] { Run(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-r"), zipped} + members, work); }));

        open.push_back(Milliseconds([&] {
            projects.WizardProjectFile = project;
            projects.OpenProject();
        }));
        QDir(unzipped).removeRecursively();
        unzip.push_back(Milliseconds([&] {
            Run(QStringLiteral("unzip"), {QStringLiteral("-q"), project, QStringLiteral("-d"), unzipped}, prog);
        }));

        // As the user does it: an edit, its preview refresh, then the publish.
        EditBenchDesign(design, round);
        preview.RefreshPreview();
        QDir(published).removeRecursively();
        QDir().mkpath(published);
        TPublishPathSetting paths;
        publish.push_back(Milliseconds([&] {
            if (a_PublishExecute(design, page, preview, host, paths).isEmpty())
                qFatal("nothing was published");
        }));
        QDir(copied).removeRecursively();
        cp.push_back(Milliseconds([&] { Run(QStringLiteral("cp"), {QStringLiteral("-r"), work, copied}, prog); }));
    }

    std::printf("| what (median of %d rounds, bench_files) | time | reference | time | ratio |\n|---|---|---|---|---|\n", rounds);
    const auto row = [](const char *what, const std::vector<double> &t, const char *ref, const std::vector<double> &r) {
        std::printf("| %s | %.0f ms | %s | %.0f ms | %.2f |\n", what, Median(t), ref, Median(r), Median(t) / Median(r));
    };
    row("save the project (209 MiB of media)", save, "`zip -r` of its files", zip);
    row("open the project", open, "`unzip -q` of it", unzip);
    row("publish for CD-ROM", publish, "`cp -r` of the working folder", cp);
    return 0;
}
