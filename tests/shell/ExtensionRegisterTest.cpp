#include "TestSupport.h"
#include "uExtensionRegister.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString NoTool = QStringLiteral("no-such-update-tool-for-tolvanar");

// Every file under the folder with its bytes, relative names sorted.
QMap<QString, QByteArray> filesUnder(const TempFolder &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(dir.path().size()), ReadFileBytes(path));
    }
    return files;
}

} // namespace

TEST(ExtensionRegister, AFirstRunWritesAPackageAndADesktopEntryPerTypeAndTheSecondNothing)
{
    TempFolder home, system;
    const XdgDataPaths paths{home.path(), {system.path()}};
    const QString program = QStringLiteral("/opt/tolvanar 4/tolvanar");
    EXPECT_EQ(RegisterFileExtension("tvp", program, paths, NoTool), RegisterResult::Registered);
    EXPECT_EQ(RegisterFileExtension("tvm", program, paths, NoTool), RegisterResult::Registered);

    const QMap<QString, QByteArray> expected{
        {"mime/packages/tolvanar-tvp.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"application/x-tolvanar-tvp\">\n"
         "    <glob pattern=\"*.tvp\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n"},
        {"mime/packages/tolvanar-tvm.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"application/x-tolvanar-tvm\">\n"
         "    <glob pattern=\"*.tvm\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n"},
        {"applications/tolvanar-tvp.desktop",
         "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tolvanar\n"
         "Exec=\"/opt/tolvanar 4/tolvanar\" %f\n"
         "MimeType=application/x-tolvanar-tvp;\n"
         "NoDisplay=true\n"},
        {"applications/tolvanar-tvm.desktop",
         "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tolvanar\n"
         "Exec=\"/opt/tolvanar 4/tolvanar\" %f\n"
         "MimeType=application/x-tolvanar-tvm;\n"
         "NoDisplay=true\n"},
    };
    EXPECT_EQ(filesUnder(home), expected);
    const QDateTime written = QFileInfo(home.file("applications/tolvanar-tvp.desktop")).lastModified();

    EXPECT_EQ(RegisterFileExtension("tvp", "/elsewhere/other", paths, NoTool), RegisterResult::AlreadyKnown);
    EXPECT_EQ(RegisterFileExtension("tvm", "/elsewhere/other", paths, NoTool), RegisterResult::AlreadyKnown);
    EXPECT_EQ(filesUnder(home), expected);
    EXPECT_EQ(QFileInfo(home.file("applications/tolvanar-tvp.desktop")).lastModified(), written);
    EXPECT_EQ(filesUnder(system).size(), 0);
}

TEST(ExtensionRegister, AnExtensionAnotherProgramOwnsStaysItsOwn)
{
    TempFolder home, system;
    system.write("mime/globs2", "50:application/x-someone-else:*.tvp\n");
    const XdgDataPaths paths{home.path(), {system.path()}};
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/tolvanar", paths, NoTool), RegisterResult::AlreadyKnown);
    EXPECT_EQ(RegisterFileExtension("tvm", "/opt/t/tolvanar", paths, NoTool), RegisterResult::Registered);
    EXPECT_EQ(filesUnder(home).keys(),
              QStringList({"applications/tolvanar-tvm.desktop", "mime/packages/tolvanar-tvm.xml"}));
}

TEST(ExtensionRegister, AFailedWriteLeavesNoPackageSoTheNextStartTriesAgain)
{
    TempFolder home;
    const XdgDataPaths paths{home.path(), {}};
    home.write("applications", "a file where the folder belongs");
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/tolvanar", paths, NoTool), RegisterResult::Failed);
    EXPECT_FALSE(home.exists("mime"));

    QFile::remove(home.file("applications"));
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/tolvanar", paths, NoTool), RegisterResult::Registered);
    EXPECT_TRUE(home.exists("mime/packages/tolvanar-tvp.xml"));
}

TEST(ExtensionRegister, HostileExtensionsAndProgramPathsWriteNothing)
{
    TempFolder home;
    const XdgDataPaths paths{home.path(), {}};
    for (const char *ext : {"", "../x", "t p", "tvp\n", "*"})
        EXPECT_EQ(RegisterFileExtension(QString::fromLatin1(ext), "/opt/t/tolvanar", paths, NoTool),
                  RegisterResult::Failed)
            << ext;
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/x\nExec=evil", paths, NoTool), RegisterResult::Failed);
    EXPECT_EQ(RegisterFileExtension("tvp", "", paths, NoTool), RegisterResult::Failed);
    EXPECT_TRUE(filesUnder(home).isEmpty());

    // Characters that mean something to the Exec key are escaped, not obeyed.
    EXPECT_EQ(DesktopEntryText("tvp", "/o/$HOME/a\\b%c"),
              "[Desktop Entry]\nType=Application\nName=Tolvanar\n"
              "Exec=\"/o/\\\\$HOME/a\\\\\\\\b%%c\" %f\n"
              "MimeType=application/x-tolvanar-tvp;\nNoDisplay=true\n");
}

TEST(ExtensionRegister, TheRealDatabaseLearnsTheTypesFromTheEnvironmentsDataHome)
{
    if (QStandardPaths::findExecutable("update-mime-database").isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    TempFolder home, system;
    ScopedEnvironment homeVariable("XDG_DATA_HOME", home.path().toUtf8());
    ScopedEnvironment dirsVariable("XDG_DATA_DIRS", system.path().toUtf8());
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/tolvanar"), RegisterResult::Registered);
    EXPECT_TRUE(home.read("mime/globs2").contains(":application/x-tolvanar-tvp:*.tvp"));
    QFile::remove(home.file("mime/packages/tolvanar-tvp.xml"));
    EXPECT_EQ(RegisterFileExtension("tvp", "/opt/t/tolvanar"), RegisterResult::AlreadyKnown);
    EXPECT_FALSE(home.exists("mime/packages/tolvanar-tvp.xml"));
}
