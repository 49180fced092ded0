#include "GalleryInterim.h"

#include "Conversions.h"
#include "Messages.h"
#include "Paths.h"
#include "WebBrowserPane.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QWebEngineView>

// ---- Page algorithm ---------------------------------------------------------------------------

TInterimPage TInterimPager::ShowPage(int offset, int step, int count)
{
    // After a forward turn the cursor points past the page shown, after a backward one at its first
    // name; a change of direction first steps over that difference.
    if ((step < 0 && FLastDirection == QLatin1String("Next") && NextEnabled) ||
        (step > 0 && FLastDirection == QLatin1String("Prev") && PrevEnabled)) {
        offset += step;
        FPageOffset += step;
    }
    TInterimPage page;
    if (offset == 0 && offset + step >= count)
        page.State = psOnly;
    else if (offset == 0 || offset + step == 0)
        page.State = psFirst;
    else if (offset + step >= count)
        page.State = psLast;
    else
        page.State = psMiddle;
    if ((step > 0 && (page.State == psMiddle || page.State == psFirst)) ||
        (step < 0 && (page.State == psMiddle || page.State == psLast)))
        FPageOffset += step;

    const int first = (offset > 0 && offset < count) ? offset : 0;
    if (step > 0) {
        page.First = first;
        page.Count = offset + step < count ? step : count - offset;
    } else {
        page.First = first + step;
        page.Count = -step;
    }
    // Never past either end of the list.
    if (page.First < 0) {
        page.Count += page.First;
        page.First = 0;
    }
    page.Count = std::max(0, std::min(page.Count, count - page.First));
    return page;
}

void TInterimPager::SetButtons(uint8_t state)
{
    NextEnabled = state == psFirst || state == psMiddle;
    PrevEnabled = state == psMiddle || state == psLast;
}

QStringList GalleryPageCaptions(const QStringList &names, int pageSize)
{
    auto shown = [&](int i) { return FileBaseName(names[i]); };
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

// ---- Thumbnail tiles --------------------------------------------------------------------------

QString GalleryThumbnail(const QString &folder, const QString &name)
{
    const QString base = FileBaseName(name);
    for (const QString &candidate : {base + QStringLiteral(".jpg"), base + QStringLiteral(".bmp"),
                                     QStringLiteral("NoImage.jpg")}) {
        const QString found = FindTemplateFile(folder, candidate);
        if (!found.isEmpty() && QFileInfo(found).isFile())
            return found;
    }
    return QString();
}

TInterimTile::TInterimTile(int tag, const QString &caption, const QString &picture, QSize size, bool stretch,
                           QWidget *parent)
    : QFrame(parent), FTag(tag)
{
    setFrameShape(QFrame::NoFrame);
    // No tab stop, and a click on the picture must not move the focus: only the owner sets it.
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setFixedSize(size);
    constexpr int border = 3;
    Caption = new QLabel(caption, this);
    Caption->setAlignment(Qt::AlignCenter);
    const int captionHeight = Caption->sizeHint().height();
    Caption->setGeometry(border, size.height() - border - captionHeight, size.width() - 2 * border,
                         captionHeight);
    Picture = new QLabel(this);
    Picture->setGeometry(border, border, size.width() - 2 * border, size.height() - 2 * border - captionHeight);
    Picture->setAlignment(Qt::AlignCenter);
    Picture->setScaledContents(stretch);
    if (!picture.isEmpty())
        Picture->setPixmap(QPixmap(picture));
    for (QLabel *l : {Picture, Caption}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    setBackgroundRole(QPalette::Button);
    Caption->setForegroundRole(QPalette::WindowText);
}

void TInterimTile::LitePanelEnter()
{
    if (QWidget *area = parentWidget())
        for (auto *tile : area->findChildren<TInterimTile *>(Qt::FindDirectChildrenOnly)) {
            tile->setBackgroundRole(QPalette::Button);
            tile->Caption->setForegroundRole(QPalette::WindowText);
        }
    setBackgroundRole(QPalette::Highlight);
    Caption->setForegroundRole(QPalette::HighlightedText);
}

void TInterimTile::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
}

bool TInterimTile::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && OnClick) {
        OnClick(this);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

TTileArea::TTileArea(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    auto *tiles = new QWidget;
    QPalette pal = tiles->palette();
    pal.setColor(QPalette::Window, Qt::white);
    tiles->setPalette(pal);
    tiles->setAutoFillBackground(true);
    setWidget(tiles);
    setWidgetResizable(false);
    // Reached by Tab only: a click on a tile must not enter the area.
    setFocusPolicy(Qt::TabFocus);
}

QList<TInterimTile *> TTileArea::TileList() const
{
    return widget()->findChildren<TInterimTile *>(Qt::FindDirectChildrenOnly);
}

void TTileArea::ClearTiles()
{
    for (TInterimTile *tile : TileList()) {
        tile->OnEnter = nullptr;
        tile->OnClick = nullptr;
        tile->hide();
        tile->deleteLater();
        tile->setParent(nullptr);
    }
}

void TTileArea::SetTabStop(bool on)
{
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TTileArea::focusInEvent(QFocusEvent *event)
{
    QScrollArea::focusInEvent(event);
    if (OnEnter)
        OnEnter();
}

void TTileArea::focusOutEvent(QFocusEvent *event)
{
    QScrollArea::focusOutEvent(event);
    if (OnExit)
        OnExit();
}

// ---- The dialogs' browser pane ------------------------------------------------------------------

namespace {

DialogBrowserMaker &browserMaker()
{
    static DialogBrowserMaker maker;
    return maker;
}

} // namespace

DialogBrowserMaker SetDialogBrowserMaker(DialogBrowserMaker maker)
{
    DialogBrowserMaker previous = std::move(browserMaker());
    browserMaker() = std::move(maker);
    return previous;
}

TDialogBrowser MakeDialogBrowser(QWidget *parent)
{
    if (browserMaker())
        return browserMaker()(parent);
    TDialogBrowser browser;
    auto *view = new QWebEngineView(parent);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    view->setFocusPolicy(Qt::NoFocus);
    browser.Widget = view;
    browser.Pane = std::make_unique<WebBrowserPane>(view);
    return browser;
}
