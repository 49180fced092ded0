// The about box: installed templates from the settings file, links through a replaced opener,
// the language picture.
#include "ClickLabel.h"
#include "Messages.h"
#include "TestSupport.h"
#include "Trans.h"
#include "uAbout.h"

#include <QBuffer>
#include <cmath>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextLayout>
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
        previous = SetUrlOpener([this](const QString &url) {
            opened << url;
            return true;
        });
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

// The room the label's text takes, laid out as the label lays it out (on lines of the label's inner
// width when it wraps, on one line else).
QSize TextNeeds(const QLabel *label, int width)
{
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    qreal widest = 0, height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        widest = std::max(widest, line.naturalTextWidth());
        height += line.height();
    }
    layout.endLayout();
    return QSize(int(std::ceil(widest)), int(std::ceil(height)));
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

TEST_F(AboutBox, ItsLinksShowWhole)
{
    WhenShown<TfrmAbout>([](TfrmAbout *d) {
        for (QLabel *link : std::initializer_list<QLabel *>{d->lblR_Site, d->lblGetMore}) {
            for (int page = 0; page < d->pgcAbout->count(); ++page)
                if (d->pgcAbout->widget(page)->isAncestorOf(link))
                    d->pgcAbout->setCurrentIndex(page);
            const std::string name = link->objectName().toStdString();
            EXPECT_TRUE(link->isVisible()) << name;
            // The text within the label's margins, once the layout has taken in the text set on showing.
            auto room = [link] {
                const int margin = link->margin();
                return link->contentsRect().adjusted(margin, margin, -margin, -margin);
            };
            auto fits = [&] {
                const QSize needs = TextNeeds(link, room().width());
                return needs.width() <= room().width() && needs.height() <= room().height();
            };
            const bool whole = QTest::qWaitFor(fits, 5000);
            const QSize needs = TextNeeds(link, room().width());
            EXPECT_TRUE(whole) << name << " shows " << room().width() << " x " << room().height() << " of "
                               << needs.width() << " x " << needs.height();
            // The label inside every parent up to the box.
            for (QWidget *w = link; w != d; w = w->parentWidget())
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
        }
        d->btnOK->click();
    });
    ShowAbout(app.path(), "English", {"TV001"});
}
