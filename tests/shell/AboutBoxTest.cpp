// The about box: installed templates from the settings file, links through a replaced opener,
// the language picture.
#include "ClickLabel.h"
#include "Messages.h"
#include "TestSupport.h"
#include "Trans.h"
#include "uAbout.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

struct AboutBox : testing::Test {
    TempFolder app;
    QStringList opened;
    UrlOpener previous;
    void SetUp() override
    {
        InitVersionInfo();
        previous = SetUrlOpener([this](const QString &url) { opened << url; });
    }
    void TearDown() override { SetUrlOpener(previous); }
    void settings(const QByteArray &text) { app.write("tolvanar.ini", text); }
};

QByteArray Bitmap(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

TEST_F(AboutBox, InstalledTemplatesRunUpToTheFirstMissingOrEmptyKey)
{
    EXPECT_TRUE(ReadInstalledTemplates(app.path()).isEmpty());
    settings("[register]\ntemplate1=A\ntemplate2=B\n");
    EXPECT_EQ(ReadInstalledTemplates(app.path()), QStringList({"A", "B"}));
    settings("[register]\ntemplate1=\ntemplate2=B\n");
    EXPECT_TRUE(ReadInstalledTemplates(app.path()).isEmpty());
    settings("[Register]\nTEMPLATE1=A\ntemplate3=C\n[other]\ntemplate2=X\n");
    EXPECT_EQ(ReadInstalledTemplates(app.path()), QStringList({"A"}));
    settings("[register]\ntemplate01=A\n");
    EXPECT_TRUE(ReadInstalledTemplates(app.path()).isEmpty());
}

TEST_F(AboutBox, ShowsTheVersionTheSiteAndTheListAndOpensEachLink)
{
    WhenShown<TfrmAbout>([this](TfrmAbout *d) {
        EXPECT_EQ(d->windowTitle(), "About Tolvanar");
        EXPECT_EQ(d->lblR_App->text(), "Tolvanar");
        EXPECT_EQ(d->lblR_Ver->text(), "Version 4.00");
        EXPECT_EQ(d->lblR_Site->text(), WebLink(23));
        ASSERT_EQ(d->lstInstalled->count(), 2);
        EXPECT_EQ(d->lstInstalled->item(1)->text(), "TV002");
        EXPECT_EQ(d->focusWidget(), d->btnOK);

        QTest::mouseClick(d->lblR_Site, Qt::LeftButton);
        QTest::mouseClick(d->lblGetMore, Qt::LeftButton);
        const QRect item = d->lstInstalled->visualItemRect(d->lstInstalled->item(0));
        QTest::mouseClick(d->lstInstalled->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(d->lstInstalled->viewport(), Qt::LeftButton, {}, item.center());
        d->btnOK->click();
    });
    ShowAbout(app.path(), "English", {"TV001", "TV002"});
    EXPECT_EQ(opened, QStringList({WebLink(26), WebLink(24), WebLink(25), WebLink(25)}));
    EXPECT_FALSE(WebLink(24).isEmpty());
}

TEST_F(AboutBox, ALanguagePictureReplacesTheDrawnOneOnlyWhenItIsThere)
{
    app.write("lang/japanese_uabout.BMP", Bitmap(40, 30));
    app.write("outside_uAbout.bmp", Bitmap(50, 50));
    app.write("lang/Broken_uAbout.bmp", "not a picture");
    auto pictureSize = [this](const QString &language) {
        TfrmAbout box(app.path(), language, {});
        return box.Image1->pixmap().size();
    };
    EXPECT_EQ(pictureSize("Japanese"), QSize(40, 30));
    const QSize drawn = pictureSize("English");
    EXPECT_FALSE(drawn.isEmpty());
    EXPECT_EQ(pictureSize("../outside"), drawn);
    EXPECT_EQ(pictureSize("..\\outside"), drawn);
    EXPECT_EQ(pictureSize("Broken"), drawn);
}

TEST_F(AboutBox, AFixedClientAreaAndTheLanguagesFontOnTheLinksToo)
{
    const QString language = LanguageName;
    LanguageName = "Japanese";
    WhenShown<TfrmAbout>([](TfrmAbout *d) {
        EXPECT_EQ(d->size(), QSize(442, 305));
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        for (QWidget *w : std::initializer_list<QWidget *>{d, d->lblR_App, d->lblR_Site, d->lblGetMore}) {
            EXPECT_EQ(w->font().family(), "MS PGothic") << w->objectName().toStdString();
            EXPECT_EQ(w->font().pointSize(), 9) << w->objectName().toStdString();
        }
        EXPECT_TRUE(d->lblR_App->font().bold());
        EXPECT_TRUE(d->lblR_Site->font().underline());
        EXPECT_TRUE(d->lblGetMore->font().underline());
        EXPECT_EQ(d->lblGetMore->palette().color(QPalette::WindowText), QColor(Qt::blue));
        d->btnOK->click();
    });
    ShowAbout(app.path(), "Japanese", {});
    LanguageName = language;
}
