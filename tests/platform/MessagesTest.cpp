#include "Messages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultTexts(); }
    ScriptedMessageBox box;
};

TEST_F(MessagesTest, EnglishDefaultsKeepTheirExactText)
{
    EXPECT_EQ(LangMsg(23), "Menu1");
    EXPECT_EQ(LangMsg(45), "Project published in ");
    EXPECT_EQ(LangMsg(67), "Field \"Name\" is required.");
    EXPECT_EQ(LangMsg(120), "Menu: ");
    EXPECT_EQ(LangMsg(101), "");
    EXPECT_EQ(LangMsg(130), "");
    EXPECT_EQ(LangMsg(0), "");
    EXPECT_EQ(LangMsg(131), "");
    EXPECT_EQ(LangFilterLabel(5), "Tolvanar Projects");
    EXPECT_EQ(LangFilterLabel(9), "Supported Formats");
}

TEST_F(MessagesTest, KindsGiveCaptionAndIconAndButtonSetsMapToSixForms)
{
    box.answer(mrNo);
    EXPECT_EQ(ShowMsgBox("q", mtAlert, mbYesNoCancel), mrNo);
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].caption, "Alert");
    EXPECT_EQ(box.shown()[0].icon, MsgIcon::Question);
    EXPECT_EQ(box.shown()[0].buttons, (QList<int>{mrYes, mrNo, mrCancel}));
    EXPECT_EQ(box.shown()[0].escapeResult, mrCancel);

    ShowMsgBox("w", mtWarning, mbYes | mbCancel); // not one of the six: OK alone
    EXPECT_EQ(box.shown()[1].buttons, QList<int>{mrOK});
    EXPECT_EQ(box.shown()[1].caption, "Warning");
    EXPECT_EQ(box.shown()[1].escapeResult, mrOK);

    ShowMsgBox("e", mtError, mbYesNo);
    EXPECT_EQ(box.shown()[2].caption, "Error");
    EXPECT_EQ(box.shown()[2].escapeResult, mrNone);
}

TEST_F(MessagesTest, CaptionFollowsTheCurrentLanguage)
{
    SetLangMsg(81, "Achtung");
    ShowMsgBox("w", mtWarning, mbOK);
    EXPECT_EQ(box.shown()[0].caption, "Achtung");
}

TEST_F(MessagesTest, OpenUrlSkipsBlankAddressesAndHandsOthersOverWithTheirBlanks)
{
    QStringList opened;
    UrlOpener previous = SetUrlOpener([&](const QString &a) {
        opened << a;
        return true;
    });
    OpenUrl("   ");
    OpenUrl("");
    OpenUrl(" https://x.example/ ");
    SetUrlOpener(previous);
    EXPECT_EQ(opened, QStringList{" https://x.example/ "});
}

TEST_F(MessagesTest, HelpLinksAreSetOnceAtStart)
{
    InitVersionInfo();
    EXPECT_EQ(VersionText(), "4.00");
    for (int i : {0, 1, 2, 23, 24, 25, 26})
        EXPECT_TRUE(WebLink(i).startsWith("https://")) << i;
    EXPECT_TRUE(WebLink(3).isEmpty());
    EXPECT_TRUE(WebLink(30).isEmpty());
}
