#pragma once
// The frame the paged style galleries share: a preview pane above (or beside) a tile area with the
// page buttons, OK and Cancel; tiles six a page, chosen by click or by focus, each choice previewed.
#include "GalleryPaging.h"
#include "GalleryShared.h"
#include "GalleryTile.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <memory>

class QGroupBox;
class QPushButton;
class QScrollArea;
class QSplitter;
class TXMLUtils;

class TGalleryDialog : public QDialog {
    Q_OBJECT
public:
    ~TGalleryDialog() override;

    const QStringList &Names() const { return FNames; }
    const QString &ChosenFile() const { return FChosenFile; }
    const TGalleryPager &Pager() const { return FPager; }
    QList<TGalleryTile *> Tiles() const;
    BrowserPane *Pane() const { return FPane.get(); }
    TXMLUtils &Xml() const { return *FXmlUtils; }
    TFocusTracker *Tracker() const { return FTracker; }

    QWidget *pnlClient = nullptr;
    QGroupBox *grbBrowser = nullptr;
    QFrame *pnlBrowser = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *pnlOptions = nullptr;
    QGroupBox *grbFlashList = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QWidget *pnlRight = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrev = nullptr;
    QWidget *pnlBottom = nullptr;
    QPushButton *btnCreate = nullptr;
    QPushButton *btnCancel = nullptr;

public slots:
    void btnNextClick();
    void btnPrevClick();

protected:
    TGalleryDialog(const TGallerySetup &setup, const QString &objectName, const QString &caption,
                   const QString &listCaption);

    // Loads the description the dialog works on; a text that does not parse stops the opening.
    void LoadDescription(const QString &xmlText);
    // The file part of a stored name ("flashmenu\bg.jpg" gives "bg.jpg").
    static QString FilePart(const QString &stored);
    // Offset of the page that holds name (found without case), 0 when the list lacks it.
    int StartOffset(const QString &name) const;
    // The first page, counted as a forward turn.
    void OpenAt(int startOffset);
    // Builds the tiles of a view.
    void ShowPage(const TPageView &view);
    void ApplyPageButtons();
    void ClearTiles();
    // After a page turn: the tile area takes the focus, which chooses the new page's first tile.
    void FocusTileArea();
    // The tile size and how many stand in a row; the thumbnail folder.
    void SetTileLayout(const QSize &size, int perRow, const QString &thumbnailFolder);
    // The shared part of the layout by orientation (grbBrowser, Splitter1, pnlOptions, pnlRight).
    void LayoutForOrientation();
    // Places Next and Prev at the bottom right of pnlRight (the vertical layout).
    void PlacePageButtonsBottom();
    // The hand-placed controls as wide as their captions, the right-hand panel as wide as they
    // are, and the window as large as its controls (a full tile page among them) need.
    void FitToControls();
    // The preview pane at its designed extent, the tiles taking the rest.
    void ShowPreviewAtDesignedSize();
    // A dialog's own controls of the right-hand panel, sized and placed for their captions.
    virtual void PlaceRightPanel() {}

    // A tile chosen: the tile is highlighted with the focus, the name chosen and previewed.
    void ThumbnailClick(TGalleryTile *tile);
    virtual void PanelEnter(TGalleryTile *tile);
    void LitePanelEnter(TGalleryTile *tile);
    virtual void ScrollBoxEnter();
    // A tile's name has just become FChosenFile.
    virtual void TileChosen() = 0;
    // A page was built (the background gallery marks its page in the page list).
    virtual void PageShown(const TPageView &view) {}
    virtual void ControlEntered(QWidget *w);

    void showEvent(QShowEvent *event) override;

    TGallerySetup FSetup;
    std::unique_ptr<BrowserPane> FPane;
    QStringList FNames;
    TGalleryPager FPager{6};
    QString FChosenFile;
    QString FStartFile;
    QPointer<TGalleryTile> FStartTile;
    std::unique_ptr<TXMLUtils> FXmlUtils;
    TFocusTracker *FTracker = nullptr;
    bool FScrollBoxEnterOn = true;
    bool FShownOnce = false;
    QSize FDesignedMinimum{680, 546};
    QSize FTileSize{266, 86};
    int FTilesPerRow = 2;
    QString FThumbnailFolder;
};
