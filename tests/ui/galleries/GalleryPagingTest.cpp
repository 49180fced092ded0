// The galleries' page cursor: every click moves exactly one page, also when the direction changes,
// the buttons follow the page shown, and the page state says first, middle, last or only.
#include "GalleryPaging.h"

#include <QStringList>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Page {
    int first, count;
    bool next, prev;
    bool operator==(const Page &o) const
    {
        return first == o.first && count == o.count && next == o.next && prev == o.prev;
    }
};

std::ostream &operator<<(std::ostream &os, const Page &p)
{
    return os << "names " << p.first << ".." << p.first + p.count - 1 << (p.next ? " next" : "")
              << (p.prev ? " prev" : "");
}

Page Seen(const TGalleryPager &pager, const TPageView &v)
{
    return {v.First, v.Count, pager.NextEnabled, pager.PrevEnabled};
}

// What page k of a list of n names must look like.
Page Expected(int k, int n)
{
    const int pages = n == 0 ? 1 : (n + 5) / 6;
    const int first = 6 * k;
    return {first, std::min(6, n - first), k + 1 < pages, k > 0};
}

uint8_t ExpectedState(int k, int n)
{
    const int pages = n == 0 ? 1 : (n + 5) / 6;
    if (pages == 1)
        return psOnly;
    if (k == 0)
        return psFirst;
    return k + 1 == pages ? psLast : psMiddle;
}

} // namespace

TEST(GalleryPaging, ThirteenNamesForwardAndBack)
{
    TGalleryPager pager;
    const int n = 13;
    TPageView v = pager.Open(0, n);
    EXPECT_EQ(Seen(pager, v), (Page{0, 6, true, false}));
    EXPECT_EQ(v.State, psFirst);
    EXPECT_EQ(pager.FLastDirection, "Next");
    v = pager.Next(n);
    EXPECT_EQ(Seen(pager, v), (Page{6, 6, true, true}));
    EXPECT_EQ(v.State, psMiddle);
    v = pager.Next(n);
    EXPECT_EQ(Seen(pager, v), (Page{12, 1, false, true}));
    EXPECT_EQ(v.State, psLast);
    v = pager.Prev(n);
    EXPECT_EQ(Seen(pager, v), (Page{6, 6, true, true}));
    EXPECT_EQ(pager.FLastDirection, "Prev");
    v = pager.Prev(n);
    EXPECT_EQ(Seen(pager, v), (Page{0, 6, true, false}));
    EXPECT_EQ(v.State, psFirst);
}

TEST(GalleryPaging, OpeningOnTheNinthOfTwentyThenBackAndForth)
{
    TGalleryPager pager;
    EXPECT_EQ(pager.PageStart(8), 6);
    EXPECT_EQ(pager.PageStart(-1), 0);
    TPageView v = pager.Open(pager.PageStart(8), 20);
    EXPECT_EQ(Seen(pager, v), (Page{6, 6, true, true}));
    // The cursor leads past the page shown after a forward turn.
    EXPECT_EQ(pager.FPageOffset, 12);
    v = pager.Prev(20);
    EXPECT_EQ(Seen(pager, v), (Page{0, 6, true, false}));
    EXPECT_EQ(pager.FPageOffset, 6);
    v = pager.Next(20);
    EXPECT_EQ(Seen(pager, v), (Page{6, 6, true, true}));
}

TEST(GalleryPaging, StatesOfOnlyAndEmptyLists)
{
    for (int n : {0, 1, 6}) {
        TGalleryPager pager;
        const TPageView v = pager.Open(0, n);
        EXPECT_EQ(v.State, psOnly) << n;
        EXPECT_EQ(Seen(pager, v), (Page{0, n, false, false})) << n;
    }
    TGalleryPager pager;
    EXPECT_EQ(pager.Open(0, 7).State, psFirst);
}

TEST(GalleryPaging, ACursorOutsideTheListNeverGivesIndicesOutsideIt)
{
    TGalleryPager pager;
    TPageView v = pager.ShowPage(0, -6, 20);
    EXPECT_EQ(v.Count, 0);
    v = pager.ShowPage(30, 6, 20);
    EXPECT_GE(v.First, 0);
    EXPECT_LE(v.First + v.Count, 20);
    v = pager.ShowPage(-12, 6, 20);
    EXPECT_GE(v.First, 0);
    EXPECT_LE(v.First + v.Count, 20);
}

TEST(GalleryPaging, TheButtonsFollowTheState)
{
    TGalleryPager pager;
    const std::vector<std::tuple<uint8_t, bool, bool>> table{
        {psFirst, true, false}, {psMiddle, true, true}, {psLast, false, true}, {psOnly, false, false}};
    for (auto [state, next, prev] : table) {
        pager.UpdatePageButtons(state);
        EXPECT_EQ(pager.NextEnabled, next) << int(state);
        EXPECT_EQ(pager.PrevEnabled, prev) << int(state);
    }
}

// Every sequence of up to six clicks on the enabled buttons and the page list, from every start
// page, for lists of 0 to 31 names: each click shows exactly the page it aims at.
TEST(GalleryPaging, EveryClickMovesExactlyOnePageExhaustively)
{
    enum Click { Next, Prev, Jump };
    for (int n = 0; n <= 31; ++n) {
        const int pages = n == 0 ? 1 : (n + 5) / 6;
        for (int start = 0; start < pages; ++start) {
            std::function<void(TGalleryPager, int, int, std::string)> walk = [&](TGalleryPager pager, int k,
                                                                                 int depth, std::string path) {
                if (depth == 6)
                    return;
                for (int c = Next; c <= Jump; ++c) {
                    const int targets = c == Jump ? pages : 1;
                    for (int t = 0; t < targets; ++t) {
                        TGalleryPager p = pager;
                        int aim;
                        TPageView v;
                        std::string step;
                        if (c == Next) {
                            if (!p.NextEnabled)
                                continue;
                            aim = k + 1;
                            v = p.Next(n);
                            step = "N";
                        } else if (c == Prev) {
                            if (!p.PrevEnabled)
                                continue;
                            aim = k - 1;
                            v = p.Prev(n);
                            step = "P";
                        } else {
                            aim = t;
                            v = p.JumpTo(t, n);
                            step = "J" + std::to_string(t);
                        }
                        const std::string here = path + step;
                        ASSERT_EQ(Seen(p, v), Expected(aim, n)) << "n=" << n << " start=" << start << " " << here;
                        ASSERT_EQ(v.State, ExpectedState(aim, n)) << "n=" << n << " " << here;
                        walk(p, aim, depth + 1, here + " ");
                    }
                }
            };
            TGalleryPager pager;
            const TPageView v = pager.Open(6 * start, n);
            ASSERT_EQ(Seen(pager, v), Expected(start, n)) << "n=" << n << " open " << start;
            ASSERT_EQ(v.State, ExpectedState(start, n));
            walk(pager, start, 0, "");
        }
    }
}

namespace {

// ---- Turns as the galleries make them, and the page list ------------------------------------

struct PagerRun {
    TGalleryPager pager;
    int count;
    int size;
    // The first and last index shown after the turn, like "6-11".
    QString turn(int offset, int step, const char *direction)
    {
        const TPageView page = pager.ShowPage(offset, step, count);
        pager.UpdatePageButtons(page.State);
        pager.FLastDirection = QString::fromLatin1(direction);
        return QStringLiteral("%1-%2").arg(page.First).arg(page.First + page.Count - 1);
    }
    QString open(int offset = 0) { return turn(offset, size, "Next"); }
    QString next() { return turn(pager.FPageOffset, size, "Next"); }
    QString prev() { return turn(pager.FPageOffset, -size, "Prev"); }
};

TEST(GalleryTurns, ThirteenNamesTurnOnePageAtATimeInBothDirections)
{
    PagerRun r{TGalleryPager(6), 13, 6};
    EXPECT_EQ(r.open(), "0-5");
    EXPECT_TRUE(r.pager.NextEnabled);
    EXPECT_FALSE(r.pager.PrevEnabled);
    EXPECT_EQ(r.next(), "6-11");
    EXPECT_EQ(r.next(), "12-12");
    EXPECT_FALSE(r.pager.NextEnabled);
    EXPECT_EQ(r.prev(), "6-11");
    EXPECT_EQ(r.prev(), "0-5");
    EXPECT_FALSE(r.pager.PrevEnabled);
    EXPECT_EQ(r.next(), "6-11");
    EXPECT_EQ(r.prev(), "0-5");
    EXPECT_EQ(r.next(), "6-11");
}

TEST(GalleryTurns, SevenNamesAndASinglePage)
{
    PagerRun seven{TGalleryPager(6), 7, 6};
    EXPECT_EQ(seven.open(), "0-5");
    EXPECT_EQ(seven.next(), "6-6");
    EXPECT_FALSE(seven.pager.NextEnabled);
    EXPECT_EQ(seven.prev(), "0-5");
    EXPECT_FALSE(seven.pager.PrevEnabled);

    PagerRun six{TGalleryPager(6), 6, 6};
    EXPECT_EQ(six.open(), "0-5");
    EXPECT_FALSE(six.pager.NextEnabled);
    EXPECT_FALSE(six.pager.PrevEnabled);

    PagerRun none{TGalleryPager(6), 0, 6};
    none.open();
    EXPECT_FALSE(none.pager.NextEnabled);
    EXPECT_FALSE(none.pager.PrevEnabled);
}

TEST(GalleryTurns, JumpToAPageAfterPrevShowsExactlyThatPage)
{
    PagerRun r{TGalleryPager(6), 20, 6};
    r.open();
    r.next();
    r.next();
    r.prev();
    // The jump: cursor set, direction forgotten, then a forward build.
    r.pager.FPageOffset = 6;
    r.pager.FLastDirection.clear();
    EXPECT_EQ(r.turn(6, 6, "Next"), "6-11");
    EXPECT_EQ(r.next(), "12-17");
    EXPECT_EQ(r.prev(), "6-11");
}

TEST(GalleryPageCaptions, PagesOfSixAndTheLastPage)
{
    QStringList names;
    for (int i = 1; i <= 13; ++i)
        names << QStringLiteral("d%1.xml").arg(i, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(GalleryPageCaptions(names, 6), (QStringList{"d01 - d06", "d07 - d12", "d13"}));
    names << QStringLiteral("d14.xml");
    EXPECT_EQ(GalleryPageCaptions(names, 6), (QStringList{"d01 - d06", "d07 - d12", "d13 - d14"}));
    // Pages of ten, as the icon gallery has them; names keep everything but their extension.
    EXPECT_EQ(GalleryPageCaptions(names, 10), (QStringList{"d01 - d10", "d11 - d14"}));
    EXPECT_EQ(GalleryPageCaptions({"a.b.jpg", "c.swf"}, 10), QStringList{"a.b - c"});
    EXPECT_TRUE(GalleryPageCaptions({}, 6).isEmpty());
}

} // namespace
