#include "IniFile.h"
#include "TestSupport.h"
#include "uGlobal.h"
#include "uSettings.h"

#include <gtest/gtest.h>

namespace {

struct Settings : testing::Test {
    TempFolder app;
    TOptions options;
    void SetUp() override { clearLists(); }
    void TearDown() override { clearLists(); }
    static void clearLists() { ClearOnTopLists(); }
    void readAll()
    {
        ReadPathOptions(app.path(), options);
        ReadMenuListOptions(app.path(), options);
    }
    QByteArray ini() const { return app.read("tolvanar.ini"); }
};

} // namespace

TEST_F(Settings, AFirstRunReadsDefaultsAndItsFirstCloseWritesTheWholeOptionsSection)
{
    options.ShowSecureReminder = false; // overwritten by the reader
    readAll();
    EXPECT_EQ(ReadLanguageSetting(app.path()), "");
    EXPECT_EQ(options.PublishPath, app.path() + "Publish/");
    EXPECT_EQ(options.ProjectPath, app.path() + "Projects/");
    EXPECT_EQ(options.HorzMenuCustomValue, 1004);
    EXPECT_EQ(options.VertMenuCustomValue, 1004);
    EXPECT_TRUE(options.ShowSecureReminder);
    EXPECT_FALSE(options.UseLastPublishPath || options.UseLastProjectPath || options.UseActiveContentJS
                 || options.RecentButtonsOnTop || options.LatestButtonsOnTop);
    EXPECT_EQ(options.SpecificButtonsOnTop + options.HorzMenuDynamic + options.VertMenuDynamic, 0);
    EXPECT_FALSE(app.exists("tolvanar.ini"));

    // What a close writes: the language, the options, and at teardown the on-top lists (off here).
    ASSERT_TRUE(WriteLanguageSetting(app.path(), "English"));
    ASSERT_TRUE(WriteOptions(app.path(), options));
    ASSERT_TRUE(WriteOnTopLists(app.path(), options));
    EXPECT_EQ(QString::fromUtf8(ini()), "[options]\n"
                                        "language=English\n"
                                        "SpecificButtonsOnTop=0\n"
                                        "RecentButtonsOnTop=0\n"
                                        "LatestButtonsOnTop=0\n"
                                        "HorzMenuDynamic=0\n"
                                        "HorzMenuCustomValue=1004\n"
                                        "VertMenuDynamic=0\n"
                                        "VertMenuCustomValue=1004\n"
                                        "PublishPath="
                                            + app.path() + "Publish/\n"
                                        "ProjectPath="
                                            + app.path() + "Projects/\n"
                                        "UseLastPublishPath=0\n"
                                        "UseLastProjectPath=0\n"
                                        "UseActiveContentJS=0\n"
                                        "ShowSecureReminder=1\n");

    // A second close changes nothing.
    readAll();
    ASSERT_TRUE(WriteLanguageSetting(app.path(), ReadLanguageSetting(app.path())));
    const QByteArray first = ini();
    ASSERT_TRUE(WriteOptions(app.path(), options));
    EXPECT_EQ(ini(), first);
}

TEST_F(Settings, FlagsReadAsTheirTypesAndWriteBackNormalised)
{
    app.write("tolvanar.ini", "[Options]\r\n"
                              "UseLastPublishPath=2\r\n"
                              "UseLastProjectPath=1\r\n"
                              "SpecificButtonsOnTop=2\r\n"
                              "ShowSecureReminder=5\r\n"
                              "HorzMenuDynamic=3\r\n"
                              "HorzMenuCustomValue=wide\r\n"
                              "VertMenuCustomValue= 640\r\n"
                              "[HorzTopSpec]\r\n"
                              "1=x\r\n");
    readAll();
    EXPECT_FALSE(options.UseLastPublishPath);
    EXPECT_TRUE(options.UseLastProjectPath);
    EXPECT_EQ(options.SpecificButtonsOnTop, 2);
    EXPECT_TRUE(HorzTopSpec.isEmpty()); // only 1 enables the specific lists
    EXPECT_TRUE(options.ShowSecureReminder);
    EXPECT_EQ(options.HorzMenuDynamic, 3);
    EXPECT_EQ(options.HorzMenuCustomValue, 1004);
    EXPECT_EQ(options.VertMenuCustomValue, 640);
    ASSERT_TRUE(WriteOptions(app.path(), options));
    const IniFile written(SettingsFileName(app.path()));
    EXPECT_EQ(written.ReadString("options", "UseLastPublishPath", "-"), "0");
    EXPECT_EQ(written.ReadString("options", "SpecificButtonsOnTop", "-"), "2");
    EXPECT_EQ(written.ReadString("options", "ShowSecureReminder", "-"), "1");
    EXPECT_EQ(written.ReadString("options", "HorzMenuCustomValue", "-"), "1004");
    EXPECT_EQ(written.LineBreak(), "\r\n");
    EXPECT_TRUE(ini().startsWith("[Options]\r\nUseLastPublishPath=0\r\nUseLastProjectPath=1\r\n"));
}

TEST_F(Settings, PathsKeepEveryCharacterAndLength)
{
    readAll();
    options.ProjectPath = QString::fromUtf8("/home/user/Проекты/菜单/") + QString(3000, QLatin1Char('p'));
    options.PublishPath = QString::fromUtf8("/srv/ünïcödé €/");
    ASSERT_TRUE(WriteOptions(app.path(), options));
    TOptions again;
    ReadPathOptions(app.path(), again);
    EXPECT_EQ(again.ProjectPath, options.ProjectPath);
    EXPECT_EQ(again.PublishPath, options.PublishPath);
}

TEST_F(Settings, ALineBreakInAPathIsRefusedAndMakesNoKey)
{
    readAll();
    options.ProjectPath = "/x\n[HorzTop]\n1=evil";
    options.UseActiveContentJS = true;
    EXPECT_FALSE(WriteOptions(app.path(), options));
    const IniFile written(SettingsFileName(app.path()));
    EXPECT_FALSE(written.SectionExists("HorzTop"));
    EXPECT_FALSE(written.ValueExists("options", "ProjectPath"));
    EXPECT_EQ(written.ReadString("options", "UseActiveContentJS", "-"), "1"); // the other keys are written
}

TEST_F(Settings, AWindowsFileKeepsItsCodePage)
{
    app.write("tolvanar.ini", "[options]\r\nProjectPath=C:\\M\xFCller\\\r\nlanguage=Fran\xE7" "ais\r\n");
    readAll();
    EXPECT_EQ(options.ProjectPath, QString::fromUtf8("C:\\Müller\\"));
    EXPECT_EQ(ReadLanguageSetting(app.path()), QString::fromUtf8("Français"));
    ASSERT_TRUE(WriteLanguageSetting(app.path(), QString::fromUtf8("Español")));
    EXPECT_EQ(ini(), QByteArray("[options]\r\nProjectPath=C:\\M\xFCller\\\r\nlanguage=Espa\xF1ol\r\n"));
}

TEST_F(Settings, OnTopListsAreReadOnlyWhenTheirOptionIsOn)
{
    app.write("tolvanar.ini", "[options]\nRecentButtonsOnTop=0\nLatestButtonsOnTop=0\nSpecificButtonsOnTop=0\n"
                              "[HorzTop]\n1=a\n[VertTop]\n1=b\n[HorzTopSpec]\n1=c\n[VertTopSpec]\n1=d\n");
    HorzTop << "stale";
    readAll();
    EXPECT_TRUE(HorzTop.isEmpty() && VertTop.isEmpty() && HorzTopSpec.isEmpty() && VertTopSpec.isEmpty());

    for (const char *on : {"RecentButtonsOnTop", "LatestButtonsOnTop"}) {
        IniFile(SettingsFileName(app.path())).WriteString("options", on, "1");
        readAll();
        EXPECT_EQ(HorzTop, QStringList({"a"})) << on;
        EXPECT_EQ(VertTop, QStringList({"b"})) << on;
        EXPECT_TRUE(HorzTopSpec.isEmpty());
        IniFile(SettingsFileName(app.path())).WriteString("options", on, "0");
    }
}

TEST_F(Settings, SpecificNamesLeaveTheRecentListWhateverTheirCase)
{
    app.write("tolvanar.ini", "[options]\nRecentButtonsOnTop=1\nSpecificButtonsOnTop=1\n"
                              "[HorzTop]\n1=blue\n2=Red\n3=BLUE\n4=green\n"
                              "[HorzTopSpec]\nany=Blue\nkey=RED\n"
                              "[VertTop]\n1=tall\n"
                              "[VertTopSpec]\nx=Other\n");
    readAll();
    EXPECT_EQ(HorzTopSpec, QStringList({"Blue", "RED"}));
    EXPECT_EQ(HorzTop, QStringList({"BLUE", "green"})); // the first equal entry goes, once per name
    EXPECT_EQ(VertTopSpec, QStringList({"Other"}));
    EXPECT_EQ(VertTop, QStringList({"tall"}));
}

TEST_F(Settings, WrittenOnTopListsReplaceWhatTheirSectionsHeld)
{
    app.write("tolvanar.ini", "[options]\nRecentButtonsOnTop=1\n"
                              "[HorzTop]\n1=a\n2=b\n7=c\n"
                              "[VertTop]\n1=v1\n2=v2\n3=v3\n"
                              "[HorzTopSpec]\n1=keep\n");
    readAll();
    EXPECT_EQ(HorzTop, QStringList({"a", "b", "c"}));
    VertTop = QStringList({"v3"});
    ASSERT_TRUE(WriteOnTopLists(app.path(), options));
    EXPECT_EQ(ini(), QByteArray("[options]\nRecentButtonsOnTop=1\n"
                                "[HorzTopSpec]\n1=keep\n"
                                "[HorzTop]\n1=a\n2=b\n3=c\n"
                                "[VertTop]\n1=v3\n"));
    readAll();
    EXPECT_EQ(HorzTop, QStringList({"a", "b", "c"}));
    EXPECT_EQ(VertTop, QStringList({"v3"}));

    // With both on-top options off the lists were never read, so the stored ones stay.
    TOptions off;
    HorzTop.clear();
    const QByteArray before = ini();
    ASSERT_TRUE(WriteOnTopLists(app.path(), off));
    EXPECT_EQ(ini(), before);
}

TEST_F(Settings, ReadIniListGivesEveryIndexInOrder)
{
    app.write("tolvanar.ini", "[register]\ntemplate1=H001\ntemplate3=V002\nTEMPLATE2=\n");
    const IniFile ini(SettingsFileName(app.path()));
    EXPECT_EQ(ReadIniList(ini, "Register", "template", 4, 1), QStringList({"H001", "", "V002", ""}));
    EXPECT_EQ(ReadIniList(ini, "register", "template", 3, 2), QStringList({"", "V002"}));
    EXPECT_TRUE(ReadIniList(ini, "register", "template", 0, 1).isEmpty());
}

TEST_F(Settings, GarbageInTheFileReadsAsDefaults)
{
    QByteArray junk("\x00\xFF\xFE garbage [options\n=\n[options]\nHorzMenuCustomValue=\x01\x02\n"
                    "ShowSecureReminder\nPublishPath\n",
                    87);
    app.write("tolvanar.ini", junk + QByteArray(1024 * 1024, 'z'));
    readAll();
    EXPECT_EQ(options.HorzMenuCustomValue, 1004);
    EXPECT_TRUE(options.ShowSecureReminder);
    EXPECT_EQ(options.PublishPath, app.path() + "Publish/");
    ASSERT_TRUE(WriteOptions(app.path(), options));
    const QByteArray after = ini();
    EXPECT_TRUE(after.startsWith(junk.left(junk.indexOf("[options]\n") + 10)));
    EXPECT_TRUE(after.endsWith("ShowSecureReminder=1\nShowSecureReminder\nPublishPath\n" + QByteArray(1024 * 1024, 'z')));
    readAll();
    EXPECT_EQ(options.HorzMenuCustomValue, 1004);
}
