#pragma once
// The icon picture gallery: the pictures of the icon library (Templates/IconLink/), ten to a page,
// or any other file. A picked picture is copied into the media folder MenuPreview/flashmenu/ at once.
#include "GalleryInterim.h"
#include "IconLinkFields.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

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
    TInterimPager FPager;
    TInterimTile *FInitialTile = nullptr;

    QGroupBox *grbIconList = nullptr;
    TTileArea *ScrollBox = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *lblSelect = nullptr;
    QWidget *WebBrowser = nullptr;
    QLabel *lblSelectCustom = nullptr;
    TIconFileField *fraFileEdit1 = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnPrev = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    BrowserPane *Browser() const { return FBrowser.Pane.get(); }

    uint8_t ShowPage(int offset, int step);
    void UpdatePageButtons(uint8_t state);
    void ImageClick(TInterimTile *sender);
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
    void PanelEnter(TInterimTile *tile);
    void ScrollBoxEnter();
    void FormActivate();
    void fraFileEdit1Picked();
    QString MediaFolder() const;

    TDialogBrowser FBrowser;
    bool FClosing = false;
};

// fileName on entry: the current picture (bare, "flashmenu\"-relative or a full path). On OK it is
// the picked picture: a bare library name, a full path for a file from elsewhere, or the entry
// value when nothing was picked. Unchanged on Cancel.
bool SelectIconLinkImage(const QString &programFolder, QString &fileName, QWidget *parent = nullptr);
