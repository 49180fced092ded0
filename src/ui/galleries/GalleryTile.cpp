#include "GalleryTile.h"

#include "Conversions.h"
#include "Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>
#include <utility>

namespace {

// A template file of the folder, without case, that really lies under it and is a regular file.
QString TemplateFileUnder(const QString &folder, const QString &name)
{
    const QString found = FindTemplateFile(folder, name);
    if (found.isEmpty() || !QFileInfo(found).isFile())
        return QString();
    const QString base = WithSlash(folder);
    if (!found.startsWith(base) || SafePathUnder(base, found.mid(base.size())).isEmpty())
        return QString();
    return found;
}

} // namespace

QString GalleryThumbnailFile(const QString &folder, const QString &name)
{
    if (!name.isEmpty() && SplitNameParts(name).size() == 1) {
        for (const char *ext : {".jpg", ".bmp"}) {
            const QString f = TemplateFileUnder(folder, ChangeFileExt(name, QString::fromLatin1(ext)));
            if (!f.isEmpty())
                return f;
        }
    }
    return TemplateFileUnder(folder, QStringLiteral("NoImage.jpg"));
}

QImage LoadThumbnailImage(const QString &file, const QSize &size)
{
    if (file.isEmpty())
        return QImage();
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    // The tile stretches the picture anyway: decoding at tile size keeps large files cheap.
    if (size.isValid() && reader.size().isValid())
        reader.setScaledSize(size);
    return reader.read();
}

TGalleryTile::TGalleryTile(QWidget *parent, int tag, const QRect &rect, const QString &picture,
                           const QString &fallback, const QString &caption, bool withCaption, bool stretch)
    : QFrame(parent), FTag(tag)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setGeometry(rect);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);

    FPicture = new QLabel(this);
    FPicture->setScaledContents(stretch);
    FPicture->setAlignment(Qt::AlignCenter);
    FPicture->setCursor(Qt::PointingHandCursor);
    FPicture->setMinimumSize(1, 1);
    FPicture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // A picture that is not stretched keeps its own size.
    const QSize inner = stretch ? rect.size() - QSize(6, 6) : QSize();
    for (const QString &file : {picture, fallback}) {
        const QImage image = LoadThumbnailImage(file, inner);
        if (!image.isNull()) {
            FPicture->setPixmap(QPixmap::fromImage(image));
            FPictureFile = file;
            break;
        }
    }
    FPicture->installEventFilter(this);
    layout->addWidget(FPicture, 1);

    if (withCaption) {
        FCaption = new QLabel(caption, this);
        FCaption->setTextFormat(Qt::PlainText);
        FCaption->setCursor(Qt::PointingHandCursor);
        FCaption->installEventFilter(this);
        layout->addWidget(FCaption, 0);
    }
    SetHighlighted(false);
}

bool TGalleryTile::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        auto *label = static_cast<QWidget *>(watched);
        const bool clickable = watched == FCaption || FPictureClickable;
        if (me->button() == Qt::LeftButton && clickable && label->rect().contains(me->position().toPoint()) &&
            OnClick) {
            // The handler may free this tile (a page turn); keep a copy of what is called.
            const auto handler = OnClick;
            handler(this);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TGalleryTile::SetHighlighted(bool on)
{
    FHighlighted = on;
    QPalette p = palette();
    const QPalette app = QApplication::palette();
    p.setColor(QPalette::Window, on ? app.color(QPalette::Highlight) : app.color(QPalette::Button));
    // The caption, and any text the tile writes, reads on the marked background.
    p.setColor(QPalette::WindowText, on ? app.color(QPalette::HighlightedText) : app.color(QPalette::WindowText));
    setPalette(p);
}

QList<TGalleryTile *> TilesOf(const QWidget *container)
{
    return container ? container->findChildren<TGalleryTile *>(QString(), Qt::FindDirectChildrenOnly)
                     : QList<TGalleryTile *>();
}

void HighlightTile(const QWidget *container, TGalleryTile *tile)
{
    for (TGalleryTile *t : TilesOf(container))
        t->SetHighlighted(false);
    if (tile)
        tile->SetHighlighted(true);
}

TGalleryTile *TileWithTag(const QWidget *container, int tag)
{
    for (TGalleryTile *t : TilesOf(container))
        if (t->Tag() == tag)
            return t;
    return nullptr;
}

QScrollArea *MakeTileArea(QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("ScrollBox"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::TabFocus);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBoxContent"));
    content->setAutoFillBackground(true);
    QPalette white = content->palette();
    white.setColor(QPalette::Window, Qt::white);
    content->setPalette(white);
    area->setWidget(content);
    return area;
}

QSize TilePageSize(const QSize &tile, int perRow, int count, const QPoint &first, const QSize &gap)
{
    const int columns = std::max(1, std::min(perRow, count));
    const int rows = std::max(1, (count + perRow - 1) / std::max(1, perRow));
    return QSize(first.x() + columns * (tile.width() + gap.width()), first.y() + rows * (tile.height() + gap.height()));
}

void DispatchEnter(QWidget *w, QWidget *area, bool areaEnterOn, const std::function<void()> &areaEnter)
{
    if (w == area) {
        if (areaEnterOn)
            areaEnter();
    } else if (auto *tile = qobject_cast<TGalleryTile *>(w)) {
        // The handler may be swapped while it runs: a copy is called.
        if (const auto handler = tile->OnEnter)
            handler(tile);
    }
}

void FocusTileWith(TFocusTracker *tracker, TGalleryTile *tile, std::function<void(TGalleryTile *)> enter)
{
    struct Restore {
        QPointer<TGalleryTile> tile;
        std::function<void(TGalleryTile *)> handler;
        ~Restore()
        {
            if (tile)
                tile->OnEnter = std::move(handler);
        }
    } restore{tile, std::exchange(tile->OnEnter, std::move(enter))};
    tracker->Focus(tile);
}

bool CanFocus(const QWidget *w)
{
    return w && w->isVisible() && w->isEnabled();
}

TFocusTracker::TFocusTracker(QWidget *root) : QObject(root), FRoot(root)
{
    connect(qApp, &QApplication::focusChanged, this, &TFocusTracker::FocusChanged);
}

bool TFocusTracker::Focus(QWidget *w)
{
    if (!CanFocus(w))
        return false;
    const quint64 before = FFocusMoves;
    w->setFocus(Qt::OtherFocusReason);
    // An inactive window takes no focus now, and a focus coming from nowhere is not reported as a
    // move: the control still counts as entered.
    if (FFocusMoves == before)
        Enter(w);
    return true;
}

void TFocusTracker::Free(QWidget *w)
{
    const bool saved = FSuspended;
    FSuspended = true;
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == w || w->isAncestorOf(focus)))
        focus->clearFocus();
    if (FActive && (FActive == w || w->isAncestorOf(FActive)))
        FActive = nullptr;
    delete w;
    FSuspended = saved;
}

void TFocusTracker::FocusChanged(QWidget *old, QWidget *now)
{
    // Only a move inside the window counts: the window getting the focus back (its activation)
    // enters nothing, whatever control the toolkit then focuses.
    if (FSuspended || !now || !old || FRoot->window() != now->window() || old->window() != now->window())
        return;
    ++FFocusMoves;
    Enter(now);
}

QList<QWidget *> TFocusTracker::Chain(QWidget *w) const
{
    QList<QWidget *> chain;
    for (QWidget *p = w; p && p != FRoot; p = p->parentWidget()) {
        if (p->isWindow())
            return {}; // not inside root
        chain << p;
    }
    return chain;
}

void TFocusTracker::Enter(QWidget *now)
{
    if (now == FActive)
        return;
    const QList<QWidget *> oldChain = Chain(FActive);
    const QList<QWidget *> newChain = Chain(now);
    FActive = now;
    // A handler may move the focus again; what it started then finishes the work.
    for (QWidget *w : oldChain) {
        if (newChain.contains(w))
            break;
        if (OnExit)
            OnExit(w);
        if (FActive != now)
            return;
    }
    for (int i = int(newChain.size()) - 1; i >= 0; --i) {
        if (oldChain.contains(newChain[i]))
            continue;
        if (OnEnter)
            OnEnter(newChain[i]);
        if (FActive != now)
            return;
    }
}
