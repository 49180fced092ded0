#include "GalleryPaging.h"

#include "Conversions.h"

#include <algorithm>

namespace {

const QString DirNext = QStringLiteral("Next");
const QString DirPrev = QStringLiteral("Prev");

} // namespace

TPageView TGalleryPager::ShowPage(int offset, int step, int count)
{
    // A turn against the last direction first undoes the cursor's lead past the page shown, so
    // every click moves one page (at the ends the cursor never led).
    if (step < 0 && FLastDirection == DirNext && NextEnabled) {
        offset += step;
        FPageOffset += step;
    } else if (step > 0 && FLastDirection == DirPrev && PrevEnabled) {
        offset += step;
        FPageOffset += step;
    }

    TPageView view;
    if (offset == 0 && offset + step >= count)
        view.State = psOnly;
    else if (offset == 0 || offset + step == 0)
        view.State = psFirst;
    else if (offset + step >= count)
        view.State = psLast;
    else
        view.State = psMiddle;

    if (step > 0 && (view.State == psMiddle || view.State == psFirst))
        FPageOffset += step;
    else if (step < 0 && (view.State == psMiddle || view.State == psLast))
        FPageOffset += step;

    const int first = offset > 0 && offset < count ? offset : 0;
    int from, to; // half-open
    if (step > 0) {
        from = first;
        to = first + (offset + step < count ? step : count - offset);
    } else {
        from = first + step;
        to = first;
    }
    // Never an index outside the list, whatever cursor a caller hands in.
    from = std::clamp(from, 0, count);
    to = std::clamp(to, from, count);
    view.First = from;
    view.Count = to - from;
    return view;
}

void TGalleryPager::UpdatePageButtons(uint8_t state)
{
    NextEnabled = state == psFirst || state == psMiddle;
    PrevEnabled = state == psMiddle || state == psLast;
}

TPageView TGalleryPager::Open(int startOffset, int count)
{
    FPageOffset = startOffset;
    const TPageView view = ShowPage(startOffset, FPageSize, count);
    UpdatePageButtons(view.State);
    FLastDirection = DirNext;
    return view;
}

TPageView TGalleryPager::Next(int count)
{
    const TPageView view = ShowPage(FPageOffset, FPageSize, count);
    UpdatePageButtons(view.State);
    FLastDirection = DirNext;
    return view;
}

TPageView TGalleryPager::Prev(int count)
{
    const TPageView view = ShowPage(FPageOffset, -FPageSize, count);
    UpdatePageButtons(view.State);
    FLastDirection = DirPrev;
    return view;
}

TPageView TGalleryPager::JumpTo(int page, int count)
{
    FPageOffset = FPageSize * page;
    FLastDirection.clear();
    const TPageView view = ShowPage(FPageOffset, FPageSize, count);
    UpdatePageButtons(view.State);
    FLastDirection = DirNext;
    return view;
}

QStringList GalleryPageCaptions(const QStringList &names, int pageSize)
{
    const auto shown = [&](int i) { return FileBaseName(names[i]); };
    QStringList captions;
    const int n = int(names.size());
    for (int k = 0; k < n / pageSize; ++k)
        captions << shown(k * pageSize) + QStringLiteral(" - ") + shown(k * pageSize + pageSize - 1);
    if (n % pageSize == 1)
        captions << shown(n - 1);
    else if (n % pageSize >= 2)
        captions << shown(pageSize * (n / pageSize)) + QStringLiteral(" - ") + shown(n - 1);
    return captions;
}
