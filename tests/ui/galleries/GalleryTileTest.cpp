// The gallery tile and its thumbnail: name.jpg, then name.bmp, then NoImage.jpg, found without case
// and never outside the thumbnail folder; a picture that does not load shows the fallback.
#include "GalleryTile.h"
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TileTest : public ::testing::Test {
protected:
    TempFolder dir;
    QString thumbs;

    void SetUp() override
    {
        thumbs = dir.file("Thumbnail/");
        QDir().mkpath(thumbs);
        Picture("Thumbnail/a.jpg", Qt::red, "JPG");
        Picture("Thumbnail/b.bmp", Qt::green, "BMP");
        Picture("Thumbnail/C.JPG", Qt::blue, "JPG");
        Picture("Thumbnail/NoImage.jpg", Qt::gray, "JPG");
        Picture("outside.jpg", Qt::black, "JPG");
    }

    void Picture(const QString &relative, Qt::GlobalColor colour, const char *format, QSize size = {40, 20})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir.file(relative), format));
    }
};

} // namespace

TEST_F(TileTest, ThumbnailLookupOrder)
{
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "a.swf"), thumbs + "a.jpg");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "b.swf"), thumbs + "b.bmp");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "c.swf"), thumbs + "C.JPG");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "d.jpg"), thumbs + "NoImage.jpg");
    // .jpg wins over .bmp.
    Picture("Thumbnail/b.jpg", Qt::yellow, "JPG");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "b.swf"), thumbs + "b.jpg");
}

TEST_F(TileTest, HostileNamesGetTheFallback)
{
    for (const QString name : {"../outside.swf", "..\\outside.swf", "x/../../outside.swf", "/etc/passwd", ""})
        EXPECT_EQ(GalleryThumbnailFile(thumbs, name), thumbs + "NoImage.jpg") << name.toStdString();
    // A link that leads out of the folder counts as no file.
    ASSERT_TRUE(QFile::link(dir.file("outside.jpg"), thumbs + "e.jpg"));
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "e.swf"), thumbs + "NoImage.jpg");
    // A folder is no picture.
    QDir().mkpath(thumbs + "f.jpg");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "f.swf"), thumbs + "NoImage.jpg");
    QFile::remove(thumbs + "NoImage.jpg");
    EXPECT_EQ(GalleryThumbnailFile(thumbs, "zz.swf"), QString());
}

TEST_F(TileTest, APictureThatDoesNotLoadShowsTheFallbackOrNothing)
{
    dir.write("Thumbnail/bad.jpg", "this is no picture");
    QWidget parent;
    TGalleryTile tile(&parent, 3, QRect(6, 6, 266, 86), GalleryThumbnailFile(thumbs, "bad.swf"),
                      GalleryThumbnailFile(thumbs, QString()), "bad.swf", true);
    EXPECT_EQ(tile.PictureFile(), thumbs + "NoImage.jpg");
    EXPECT_FALSE(tile.Picture()->pixmap().isNull());
    EXPECT_EQ(tile.Caption()->text(), "bad.swf");
    EXPECT_EQ(tile.Tag(), 3);
    EXPECT_EQ(tile.geometry(), QRect(6, 6, 266, 86));

    TGalleryTile empty(&parent, 0, QRect(0, 0, 136, 279), thumbs + "bad.jpg", QString(), QString(), false);
    EXPECT_EQ(empty.PictureFile(), QString());
    EXPECT_TRUE(empty.Picture()->pixmap().isNull());
    EXPECT_EQ(empty.Caption(), nullptr);
}

TEST_F(TileTest, LargePicturesAreDecodedAtTileSize)
{
    Picture("Thumbnail/big.jpg", Qt::red, "JPG", {4000, 3000});
    const QImage image = LoadThumbnailImage(thumbs + "big.jpg", QSize(260, 80));
    EXPECT_EQ(image.size(), QSize(260, 80));
    EXPECT_TRUE(LoadThumbnailImage(thumbs + "missing.jpg", QSize(10, 10)).isNull());
}

TEST_F(TileTest, APictureThatIsNotStretchedKeepsItsOwnSize)
{
    QWidget parent;
    TGalleryTile stretched(&parent, 0, QRect(6, 7, 86, 86), thumbs + "a.jpg", QString(), "a.jpg", true);
    EXPECT_TRUE(stretched.Picture()->hasScaledContents());
    EXPECT_EQ(stretched.Picture()->pixmap().size(), QSize(80, 80));
    TGalleryTile centred(&parent, 0, QRect(6, 7, 86, 86), thumbs + "a.jpg", QString(), "a.jpg", true, false);
    EXPECT_FALSE(centred.Picture()->hasScaledContents());
    EXPECT_EQ(centred.Picture()->pixmap().size(), QSize(40, 20));
    EXPECT_EQ(centred.Picture()->alignment(), Qt::AlignCenter);
}

TEST_F(TileTest, ClicksAndHighlight)
{
    QWidget parent;
    parent.resize(600, 200);
    auto *one = new TGalleryTile(&parent, 0, QRect(6, 6, 266, 86), thumbs + "a.jpg", QString(), "a.swf", true);
    auto *two = new TGalleryTile(&parent, 1, QRect(278, 6, 266, 86), thumbs + "b.bmp", QString(), "b.swf", true);
    parent.show();
    QList<int> clicked;
    for (TGalleryTile *t : {one, two})
        t->OnClick = [&](TGalleryTile *x) { clicked << x->Tag(); };

    QTest::mouseClick(one->Picture(), Qt::LeftButton);
    QTest::mouseClick(two->Caption(), Qt::LeftButton);
    QTest::mouseClick(two->Picture(), Qt::RightButton);
    EXPECT_EQ(clicked, QList<int>({0, 1}));
    // A locked picture does nothing; its caption still answers.
    one->SetPictureClickable(false);
    QTest::mouseClick(one->Picture(), Qt::LeftButton);
    QTest::mouseClick(one->Caption(), Qt::LeftButton);
    EXPECT_EQ(clicked, QList<int>({0, 1, 0}));

    HighlightTile(&parent, two);
    EXPECT_FALSE(one->IsHighlighted());
    EXPECT_TRUE(two->IsHighlighted());
    HighlightTile(&parent, one);
    EXPECT_TRUE(one->IsHighlighted());
    EXPECT_FALSE(two->IsHighlighted());
    EXPECT_NE(one->palette().color(QPalette::Window), two->palette().color(QPalette::Window));
    EXPECT_EQ(TileWithTag(&parent, 1), two);
    EXPECT_EQ(TileWithTag(&parent, 5), nullptr);
    EXPECT_EQ(TilesOf(&parent), QList<TGalleryTile *>({one, two}));
}
