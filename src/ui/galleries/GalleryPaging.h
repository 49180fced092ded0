#pragma once
// The page cursor shared by the paged galleries: which names a page turn shows, and the state of
// the two page buttons. Pure logic; the galleries make the tiles.
#include <QString>
#include <QStringList>
#include <cstdint>

// Page state of a page build.
enum : uint8_t { psMiddle = 0, psLast = 1, psOnly = 2, psFirst = 255 };

// The names a page build shows: indices First .. First + Count - 1 of the gallery's list.
struct TPageView {
    uint8_t State = psOnly;
    int First = 0;
    int Count = 0;
};

class TGalleryPager {
public:
    explicit TGalleryPager(int pageSize = 6) : FPageSize(pageSize) {}

    int PageSize() const { return FPageSize; }

    // One page build: step is +page size for a forward turn, -page size for a backward one; count
    // is the length of the list. Updates the cursor and returns what to show; the caller then sets
    // the buttons with UpdatePageButtons.
    TPageView ShowPage(int offset, int step, int count);
    // Button states for a page state.
    void UpdatePageButtons(uint8_t state);

    // The gallery's turns; each returns the page to show and leaves the buttons set.
    TPageView Open(int startOffset, int count);   // first page, a forward turn
    TPageView Next(int count);
    TPageView Prev(int count);
    TPageView JumpTo(int page, int count);         // a theme chosen from the page list

    // The start offset of the page holding the name at index (index < 0: the first page).
    int PageStart(int index) const { return index < 0 ? 0 : FPageSize * (index / FPageSize); }

    int FPageOffset = 0;
    QString FLastDirection;
    bool NextEnabled = false;
    bool PrevEnabled = false;

private:
    int FPageSize;
};

// The captions of a page list, one a page of pageSize names, each name shown without its
// extension: first " - " last, or the last name alone on a page that holds one.
QStringList GalleryPageCaptions(const QStringList &names, int pageSize);
