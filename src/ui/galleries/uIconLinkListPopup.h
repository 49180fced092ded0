#pragma once
// The icon picture gallery: the pictures of the icon library (Templates/IconLink/), ten to a page,
// or any other file. A picked picture is copied into the media folder MenuPreview/flashmenu/ at once.
#include "GalleryPaging.h"
#include "GalleryShared.h"
#include "GalleryTile.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class TfraFileEdit;

class TfrmIconLinkListPopup : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIconLinkListPopup(const QString &programFolder, QWidget *parent = nullptr);
    ~TfrmIconLinkListPopup() override;

    // The opening steps before exec(): list, start page, field and preview from fileName.
    void Start(const QString &fileName);

    QString FTemplatesDir;
    QString FAppDir;
    QString FChosenIcon;
    QString FCustomName;
    QStringList FIconNames;
    TGalleryPager FPager{10};
    QPointer<TGalleryTile> FInitialTile;

    QGroupBox *grbIconList = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *lblSelect = nullptr;
    QWidget *WebBrowser = nullptr;  // 100 x 100; the preview pane fills it
    QLabel *lblSelectCustom = nullptr;
    TfraFileEdit *fraFileEdit1 = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrev = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    BrowserPane *Browser() const { return FPane.get(); }
    QList<TGalleryTile *> Tiles() const;
    TFocusTracker *Tracker() const { return FTracker; }

    // Builds the tiles of a page that the pager turned to.
    void ShowPage(const TPageView &view);
    // The page buttons by the pager's states.
    void UpdatePageButtons();
    void ImageClick(TGalleryTile *sender);
    void UpdatePreview(bool copy);
    void UpdateOkButton();
    void ClearTiles();
    void SetFormFont();

public slots:
    void btnNextClick();
    void btnPrevClick();
    void btnOKClick();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void PanelEnter(TGalleryTile *tile);
    void LitePanelEnter(TGalleryTile *tile);
    void ScrollBoxEnter();
    void FormActivate();
    void fraFileEdit1btnOpenFileDialogClick();
    QString MediaFolder() const;

    std::unique_ptr<BrowserPane> FPane;
    TFocusTracker *FTracker = nullptr;
    bool FScrollBoxEnterOn = true;  // off while a pick gives a tile the focus
    bool FClosing = false;
};

// fileName on entry: the current picture (bare, "flashmenu\"-relative or a full path). On OK it is
// the picked picture: a bare library name, a full path for a file from elsewhere, or the entry
// value when nothing was picked. Unchanged on Cancel.
bool SelectIconLinkImage(const QString &programFolder, QString &fileName, QWidget *parent = nullptr);
