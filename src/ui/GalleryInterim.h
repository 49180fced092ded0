#pragma once
// Pieces the paged galleries share: the page algorithm, the thumbnail tile and its tile area, and
// the dialogs' own browser pane. Kept together here until one set
// of shared gallery pieces serves every gallery.
#include "BrowserPane.h"

#include <QFrame>
#include <QScrollArea>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

// ---- Page algorithm ---------------------------------------------------------------------------
#include "GalleryPaging.h" // the page states

struct TInterimPage {
    uint8_t State = psOnly;
    int First = 0;  // index of the first name shown
    int Count = 0;  // names shown
};

// The stored cursor and direction memory of a paged gallery, with its two page buttons' states.
struct TInterimPager {
    int FPageOffset = 0;
    QString FLastDirection;  // "Next", "Prev" or empty
    bool NextEnabled = false;
    bool PrevEnabled = false;

    // A page build over count names: step is +page size for a forward turn, -page size for a
    // backward one. Every turn moves exactly one page, also when the direction changes.
    TInterimPage ShowPage(int offset, int step, int count);
    // The buttons by the state: 255 Next only, 0 both, 1 Prev only, 2 neither.
    void SetButtons(uint8_t state);
};

// One caption per page of pageSize names (shown without extension): first " - " last, or the last
// name alone on a page that holds one.
QStringList GalleryPageCaptions(const QStringList &names, int pageSize);

// ---- Thumbnail tiles --------------------------------------------------------------------------
// The first of folder + name with ".jpg", with ".bmp", then folder + "NoImage.jpg" that exists
// (found without case); "" when none does.
QString GalleryThumbnail(const QString &folder, const QString &name);

// A tile: a panel with a picture filling it and a caption along its bottom edge. It takes the focus
// when clicked or set, never by Tab.
class TInterimTile : public QFrame {
    Q_OBJECT
public:
    TInterimTile(int tag, const QString &caption, const QString &picture, QSize size, bool stretch,
                 QWidget *parent);
    int Tag() const { return FTag; }
    QLabel *Picture = nullptr;
    QLabel *Caption = nullptr;

    // A click on the picture or the caption.
    std::function<void(TInterimTile *)> OnClick;
    // The tile receives the focus.
    std::function<void(TInterimTile *)> OnEnter;

    // Active-caption colours on the tile, button-face colours on every other tile of the parent.
    void LitePanelEnter();

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int FTag;
};

// The white, borderless tile area. Enter and exit reach the owner; its tab stop can be switched.
class TTileArea : public QScrollArea {
    Q_OBJECT
public:
    explicit TTileArea(QWidget *parent);
    QWidget *Tiles() const { return widget(); }
    QList<TInterimTile *> TileList() const;
    void ClearTiles();
    void SetTabStop(bool on);

    std::function<void()> OnEnter;
    std::function<void()> OnExit;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

// ---- The dialogs' browser pane ------------------------------------------------------------------
struct TDialogBrowser {
    QWidget *Widget = nullptr;           // placed in the dialog, owned by its parent
    std::unique_ptr<BrowserPane> Pane;   // drives Widget; GUI thread only
};
// Makes the pane under parent; the program's maker builds a web view, tests install a fake.
using DialogBrowserMaker = std::function<TDialogBrowser(QWidget *parent)>;
DialogBrowserMaker SetDialogBrowserMaker(DialogBrowserMaker maker);
TDialogBrowser MakeDialogBrowser(QWidget *parent);
