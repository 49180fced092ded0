#include "Errors.h"
#include "SingleInstance.h"
#include "TestSupport.h"
#include "Trans.h"
#include "uProgramStart.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest/QTest>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

QStringList foldersUnder(const TempFolder &app)
{
    QStringList out;
    for (const char *f : {"MenuPreview", "MenuPreview/flashmenu", "Projects", "Publish", "Templates",
                             "Templates/Preview", "Templates/Preview/flashmenu"})
        if (QFileInfo(app.file(QString::fromLatin1(f))).isDir())
            out << QString::fromLatin1(f);
    return out;
}

QString claimOutput(SingleInstanceLock &lock, int &status)
{
    std::FILE *err = std::tmpfile();
    status = ClaimSingleInstance(lock, err);
    std::rewind(err);
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, err);
    std::fclose(err);
    return QString::fromLocal8Bit(buffer, qsizetype(n));
}

// Whether the browser engine has started its helper processes, which it does once it is set up.
bool EngineStarted(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(proc).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QByteArray &child : ReadFileBytes(proc + QLatin1Char('/') + task + QStringLiteral("/children")).split(' '))
            if (!child.isEmpty()
                && ReadFileBytes(QStringLiteral("/proc/%1/cmdline").arg(QString::fromLatin1(child))).contains("QtWebEngineProcess"))
                return true;
    return false;
}

// Starts the built program in a program folder of its own until its browser engine is up, then ends
// it; what it wrote to the terminal, line by line.
QStringList StartOutput(const QByteArray &loggingRules)
{
    TempFolder app, home;
    CopyTree(ShippedDataDir(), app.path());
    EXPECT_TRUE(QFile::copy(QStringLiteral(TOLVANAR_PROGRAM), app.file(QStringLiteral("tolvanar"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_LOGGING_RULES", "QT_LOGGING_CONF", "QT_MESSAGE_PATTERN"})
        env.remove(QString::fromLatin1(name));
    if (!loggingRules.isEmpty())
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QString::fromLatin1(loggingRules));
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        env.insert(QString::fromLatin1(name), home.file(QString::fromLatin1(name)));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(app.file(QStringLiteral("tolvanar")), {});
    const bool started = program.waitForStarted(60000)
                         && QTest::qWaitFor([&] { return EngineStarted(program.processId()); }, 60000);
    EXPECT_TRUE(started) << program.readAll().toStdString();
    program.terminate();
    program.waitForFinished(60000);
    return QString::fromLocal8Bit(program.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(WorkFolders, MissingFoldersAreMadeOneLevelAtATime)
{
    TempFolder app;
    EnsureWorkFolders(app.path());
    // No "Templates\": the exchange folder is skipped, and "Templates" is not made here.
    EXPECT_EQ(foldersUnder(app), QStringList({"MenuPreview", "MenuPreview/flashmenu", "Projects", "Publish"}));

    ASSERT_TRUE(QDir().mkdir(app.file("Templates")));
    app.write("MenuPreview/flashmenu/keep.jpg", "kept");
    EnsureWorkFolders(app.path());
    EXPECT_EQ(foldersUnder(app), QStringList({"MenuPreview", "MenuPreview/flashmenu", "Projects", "Publish", "Templates",
                                              "Templates/Preview", "Templates/Preview/flashmenu"}));
    EXPECT_EQ(app.read("MenuPreview/flashmenu/keep.jpg"), "kept");
}

TEST(WorkFolders, AFileInAFoldersPlaceStaysAndTheRestAreStillMade)
{
    TempFolder app;
    app.write("MenuPreview", "not a folder");
    EnsureWorkFolders(app.path());
    EXPECT_EQ(app.read("MenuPreview"), "not a folder");
    EXPECT_EQ(foldersUnder(app), QStringList({"Projects", "Publish"}));
}

TEST(CommandLine, TheFirstArgumentDecidesByItsExactExtension)
{
    TempFolder dir;
    for (const char *f : {"a.tvp", "b.tvm", "c.TVP", "d.Tvm", "e.txt", "f.tvp.bak", "g.tvp/plain", "noext"})
        dir.write(QString::fromLatin1(f), "x");
    ASSERT_TRUE(QDir().mkdir(dir.file("folder.tvp")));

    const auto decide = [&](const QStringList &args) { return DecideStartupCommand(args); };
    const auto action = [&](const QString &file) { return decide({file}).action; };

    EXPECT_EQ(action(dir.file("a.tvp")), StartupAction::OpenProject);
    EXPECT_EQ(decide({dir.file("a.tvp")}).fileName, dir.file("a.tvp"));
    EXPECT_EQ(action(dir.file("b.tvm")), StartupAction::InstallPackage);
    EXPECT_EQ(decide({dir.file("b.tvm")}).fileName, dir.file("b.tvm"));
    // An existing file of another type: nothing at all, not even the wizard.
    for (const char *other : {"c.TVP", "d.Tvm", "e.txt", "f.tvp.bak", "g.tvp/plain", "noext"}) {
        const StartupCommand c = decide({dir.file(QString::fromLatin1(other))});
        EXPECT_EQ(c.action, StartupAction::Nothing) << other;
        EXPECT_EQ(c.fileName, dir.file(QString::fromLatin1(other))) << other;
    }
    // No argument, an empty one, a missing file or a folder: the wizard, and no start-up file.
    for (const QStringList &args : {QStringList{}, QStringList{""}, QStringList{dir.file("missing.tvp")},
                                    QStringList{dir.file("folder.tvp")}}) {
        const StartupCommand c = decide(args);
        EXPECT_EQ(c.action, StartupAction::RunWizard) << qPrintable(args.join(','));
        EXPECT_EQ(c.fileName, "");
    }
    // Only the first argument counts.
    EXPECT_EQ(decide({dir.file("missing.tvp"), dir.file("a.tvp")}).action, StartupAction::RunWizard);
    EXPECT_EQ(decide({dir.file("e.txt"), dir.file("a.tvp")}).action, StartupAction::Nothing);
}

TEST(CommandLine, ARelativeNameIsTakenFromTheStartFolderAsAFullPath)
{
    TempFolder dir;
    dir.write("sub/menu.tvp", "x");
    dir.write("pack.tvm", "x");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const StartupCommand project = DecideStartupCommand({"sub/menu.tvp"});
    const StartupCommand package = DecideStartupCommand({"pack.tvm"});
    const StartupCommand dotted = DecideStartupCommand({"./sub/../pack.tvm"});
    QDir::setCurrent(before);
    EXPECT_EQ(project.action, StartupAction::OpenProject);
    EXPECT_EQ(project.fileName, QFileInfo(dir.file("sub/menu.tvp")).absoluteFilePath());
    EXPECT_EQ(package.action, StartupAction::InstallPackage);
    EXPECT_EQ(package.fileName, QFileInfo(dir.file("pack.tvm")).absoluteFilePath());
    EXPECT_EQ(dotted.fileName, QDir::cleanPath(QFileInfo(dir.file("pack.tvm")).absoluteFilePath()));
}

TEST(ProgramStart, OnlyTheFirstInstanceGoesOnAndAFailureSaysWhy)
{
    TempFolder app;
    SingleInstanceLock first(app.path()), second(app.path()), broken(app.file("missing"));
    int status = 99;
    EXPECT_EQ(claimOutput(first, status), "");
    EXPECT_EQ(status, -1);
    EXPECT_EQ(claimOutput(second, status), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(claimOutput(broken, status),
              "tolvanar: cannot open the lock file " + app.file("missing/tolvanar.lock") + ": No such file or directory\n");
    EXPECT_EQ(status, 1);
}

TEST(ProgramStart, AnEventHandlersErrorIsShownWithItsMessage)
{
    ScriptedMessageBox box;
    const QString title = ApplicationTitle();
    SetApplicationTitle("Titel");
    ShowHandlerError(std::make_exception_ptr(Exception("Cannot open file")));
    ShowHandlerError(std::make_exception_ptr(std::runtime_error("Ends with a point.")));
    ShowHandlerError(std::make_exception_ptr(42));
    SetApplicationTitle(title);
    ASSERT_EQ(box.shown().size(), 3);
    EXPECT_EQ(box.texts(), QStringList({"Cannot open file.", "Ends with a point.", "Exception."}));
    EXPECT_EQ(box.shown()[0].caption, "Titel");
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Error);
    EXPECT_EQ(box.shown()[0].buttons, QList<int>{mrOK});
}

TEST(ProgramStart, AGuardedHandlerEndsAtItsErrorAndShowsIt)
{
    ScriptedMessageBox box;
    QStringList ran;
    GuardSlot([&] {
        ran << "first";
        throw Exception("Cannot write file");
        ran << "after the error";
    });
    GuardSlot([&] { ran << "second"; });
    EXPECT_EQ(ran, QStringList({"first", "second"}));
    EXPECT_EQ(box.texts(), QStringList{"Cannot write file."});
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Error);
}

// A normal start writes nothing to the terminal but what the surroundings make the engine say: the
// sandbox the tests turn off, and its error lines on a machine without a graphics card. A user's
// own logging rules still show the engine's report of its set-up.
TEST(ProgramStart, ANormalStartIsQuiet)
{
    const QRegularExpression expected(QStringLiteral(
        "^(Sandboxing disabled by user\\.|No suitable graphics backend found"
        "|WebEngineContext used before QtWebEngineCore::initialize\\(\\) or OpenGL context creation failed\\."
        "|This plugin does not support propagateSizeHints\\(\\)" // the offscreen platform's
        "|\\[(\\d+:\\d+:)?[\\d/.]+:(ERROR|WARNING|FATAL):.*)$"));
    QStringList unexpected;
    for (const QString &line : StartOutput({}))
        if (!expected.match(line).hasMatch())
            unexpected << line;
    EXPECT_EQ(unexpected.size(), 0) << unexpected.join(QLatin1Char('\n')).toStdString();

    EXPECT_TRUE(StartOutput("qt.webenginecontext.info=true").join(QLatin1Char('\n')).contains(QLatin1String("qt.webenginecontext:")));
}
