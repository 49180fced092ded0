#pragma once
// The tile of the galleries and the button short list (a panel with a stretched thumbnail and an
// optional caption), the thumbnail lookup, and the enter/exit bookkeeping of focus that the
// galleries' selection rules are written in.
#include <QFrame>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

class QLabel;
class QScrollArea;
class TFocusTracker;

// The thumbnail of a name in a thumbnail folder: name with ".jpg", else with ".bmp", else
// "NoImage.jpg" (template files, found without case). "" when none of them exists.
QString GalleryThumbnailFile(const QString &folder, const QString &name);

// The picture of a file scaled to size (JPEG is decoded at the smaller size); a null image when
// the file is missing or is no picture.
QImage LoadThumbnailImage(const QString &file, const QSize &size);

class TGalleryTile : public QFrame {
    Q_OBJECT
public:
    // A tile at pos with the given tag. picture: the file shown, stretched to fill the tile or, when
    // stretch is false, centred at its own size; when it does not load, fallback is tried, then the
    // tile shows no picture. caption: shown along the bottom unless withCaption is false.
    TGalleryTile(QWidget *parent, int tag, const QRect &rect, const QString &picture, const QString &fallback,
                 const QString &caption, bool withCaption, bool stretch = true);

    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }
    QLabel *Picture() const { return FPicture; }
    QLabel *Caption() const { return FCaption; }
    // The file the picture was loaded from ("" when none loaded).
    const QString &PictureFile() const { return FPictureFile; }

    // A click on the picture or the caption (the picture only while it is clickable).
    std::function<void(TGalleryTile *)> OnClick;
    // The tile received the focus (through TFocusTracker).
    std::function<void(TGalleryTile *)> OnEnter;
    void SetPictureClickable(bool clickable) { FPictureClickable = clickable; }
    bool PictureClickable() const { return FPictureClickable; }

    void SetHighlighted(bool on);
    bool IsHighlighted() const { return FHighlighted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int FTag;
    QLabel *FPicture;
    QLabel *FCaption = nullptr;
    QString FPictureFile;
    bool FPictureClickable = true;
    bool FHighlighted = false;
};

// The tiles directly inside a container, in creation order.
QList<TGalleryTile *> TilesOf(const QWidget *container);
// Every tile of the container plain, then tile (when given) highlighted.
void HighlightTile(const QWidget *container, TGalleryTile *tile);
// The first tile of the container whose tag is tag; nullptr when none.
TGalleryTile *TileWithTag(const QWidget *container, int tag);

// The white tile area "ScrollBox" (a tab stop without frame) with its content widget.
QScrollArea *MakeTileArea(QWidget *parent);

// The extent of a full page of tiles: count tiles of size, perRow to a row, the first at first and
// each next one gap further (the gap also after the last of a row and of a column).
QSize TilePageSize(const QSize &tile, int perRow, int count, const QPoint &first, const QSize &gap);

// Restores a Boolean when the scope ends, also on failure.
class TBoolGuard {
public:
    TBoolGuard(bool &flag, bool value) : FFlag(flag), FSaved(flag) { flag = value; }
    ~TBoolGuard() { FFlag = FSaved; }
    TBoolGuard(const TBoolGuard &) = delete;
    TBoolGuard &operator=(const TBoolGuard &) = delete;

private:
    bool &FFlag;
    bool FSaved;
};

// An entered control of a tile area: the area runs areaEnter while that handler is on, a tile its
// OnEnter.
void DispatchEnter(QWidget *w, QWidget *area, bool areaEnterOn, const std::function<void()> &areaEnter);

// Gives tile the focus through tracker while enter stands in for its enter handler (so that the
// focus only highlights it, for instance), then gives the tile back the handler it had, also on
// failure, unless the tile went meanwhile.
void FocusTileWith(TFocusTracker *tracker, TGalleryTile *tile, std::function<void(TGalleryTile *)> enter);

// Whether a control could take the focus now: shown and enabled.
bool CanFocus(const QWidget *w);

// Tracks which control inside root last took the focus and calls OnEnter for each control that
// the focus entered (outermost first) and OnExit for each it left (innermost first), the way the
// galleries' rules expect; also when the window is not active, so that a focus given by code
// always counts.
class TFocusTracker : public QObject {
    Q_OBJECT
public:
    explicit TFocusTracker(QWidget *root);

    // Gives w the focus; false when it cannot take it.
    bool Focus(QWidget *w);
    QWidget *Active() const { return FActive; }
    // Frees a control inside root without the focus wandering: when it holds the focus, the focus
    // is cleared first and no enter or exit runs for it.
    void Free(QWidget *w);

    std::function<void(QWidget *)> OnEnter;
    std::function<void(QWidget *)> OnExit;

private:
    void FocusChanged(QWidget *old, QWidget *now);
    void Enter(QWidget *now);
    QList<QWidget *> Chain(QWidget *w) const; // w and its parents below root, innermost first

    QWidget *FRoot;
    QPointer<QWidget> FActive;
    bool FSuspended = false;
    quint64 FFocusMoves = 0; // focus moves the toolkit reported
};
