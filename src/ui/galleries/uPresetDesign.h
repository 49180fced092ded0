#pragma once
// The preset design gallery of New: the template designs of the menu orientation as thumbnail
// tiles, six to a page, with the selected design previewed in the dialog's own browser pane. The
// preview set of a selection is built into the exchange folder Templates/Preview/ by a worker job.
#include "GalleryPaging.h"
#include "GalleryShared.h"
#include "GalleryTile.h"

#include <QDialog>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <pugixml.hpp>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class TXMLUtils;

// One preview job. Every input is filled in on the GUI thread before start(); the job touches no
// widget, shows no box and reads nothing else. It hands the written page back by PageWritten.
class TRefreshThread : public QThread {
    Q_OBJECT
public:
    explicit TRefreshThread(QObject *parent = nullptr);
    ~TRefreshThread() override;  // waits for the job to end

    QString FTemplatesDir;              // native, with a trailing "/"
    TXMLUtils *FXmlUtils = nullptr;     // borrowed from the dialog; one job at a time uses it
    int FBrowserWidth = 0;
    int FBrowserHeight = 0;
    std::unique_ptr<pugi::xml_document> FDesignDoc;   // owned; released when the job ends
    std::unique_ptr<pugi::xml_document> FOptionsDoc;  // owned; released when the job ends
    QString FDemoBlock;
    bool FHorizontal = true;
    QString FOrientationDir;            // "Horizontal\" or "Vertical\"
    bool FUseActiveContentJS = false;
    quint64 FJobNumber = 0;             // addresses the navigation request

    // Valid once the job has ended: whether every step ran, and the failing step's error text.
    bool Succeeded() const { return FSucceeded.load(); }
    QString ErrorText() const { return FError; }
    bool DocumentsReleased() const { return !FDesignDoc && !FOptionsDoc; }

    // The job's steps in their order, on the calling thread (Execute's body).
    void RefreshPreview();

signals:
    // The preview page is written; the GUI thread navigates to it (queued to the dialog).
    void PageWritten(quint64 job, const QString &page);

protected:
    void run() override;

private:
    std::atomic<bool> FSucceeded{false};
    QString FError;
};

// Called on the worker at the start of each step of a job with the step's name ("load", "movie",
// "background", "sound", "logo", "icons", "size", "description", "script", "page", "navigate").
// Lets tests hold a job in the middle; empty by default.
using RefreshStepHook = std::function<void(const char *step)>;
RefreshStepHook SetRefreshStepHook(RefreshStepHook hook);

class TfrmPresetDesign : public QDialog {
    Q_OBJECT
public:
    // templatesDir: program folder + "Templates/"; horizontal: the menu orientation of the window.
    TfrmPresetDesign(const QString &templatesDir, bool horizontal, QWidget *parent = nullptr);
    ~TfrmPresetDesign() override;

    // The design list, the page captions and the first page (the opening steps before exec()).
    void LoadDesigns();

    QString FTemplatesDir;
    QString FSelectedDesign;
    QPointer<TGalleryTile> FFocusedTile;
    QStringList FDesignNames;
    TGalleryPager FPager{6};  // FPageOffset, FLastDirection and the page buttons' states
    std::unique_ptr<TXMLUtils> FXmlUtils;
    QPointer<TGalleryTile> FFirstTile;
    TRefreshThread *FRefreshThread = nullptr;

    QWidget *pnlClient = nullptr;
    QGroupBox *grbBrowser = nullptr;
    QWidget *pnlBrowser = nullptr;  // the preview pane fills it
    QWidget *pnlOptions = nullptr;
    QWidget *pnlRight = nullptr;
    QLabel *lblTemplateName = nullptr;
    QPushButton *btnPrev = nullptr;
    QPushButton *btnNext = nullptr;
    QLabel *lblTemplateID = nullptr;
    QComboBox *cbTemplateID = nullptr;
    QGroupBox *grbFlashList = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QWidget *pnlRight2 = nullptr;
    QPushButton *btnPrev2 = nullptr;
    QPushButton *btnNext2 = nullptr;
    QLabel *lblTemplateID2 = nullptr;
    QComboBox *cbTemplateID2 = nullptr;
    QWidget *pnlBottom = nullptr;
    QPushButton *btnBack = nullptr;
    QPushButton *btnCreate = nullptr;
    QPushButton *btnCancel = nullptr;

    BrowserPane *Browser() const { return FPane.get(); }
    QList<TGalleryTile *> Tiles() const;
    TFocusTracker *Tracker() const { return FTracker; }
    bool Horizontal() const { return FHorizontal; }
    // The design folder and the exchange folder (native, trailing "/").
    QString DesignFolder() const;
    QString ExchangeFolder() const;
    // Waits until the running preview job (if any) has ended.
    void WaitForRefresh();

    // Builds the tiles of a page that the pager turned to.
    void ShowPage(const TPageView &view);
    // Both rows of page buttons by the pager's states.
    void UpdateNavButtons();
    void SelectDesign(TGalleryTile *sender);
    void ClearTiles();
    void SetFormFont();

public slots:
    void btnCreateClick();
    void btnNextClick();
    void btnPrevClick();
    void cbTemplateIDChange();
    void cbTemplateID2Change();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PanelEnter(TGalleryTile *tile);
    void LitePanelEnter(TGalleryTile *tile);
    void ScrollBoxEnter();
    void ScrollBoxExit();
    void FormActivate();
    void ControlEntered(QWidget *w);
    void ControlLeft(QWidget *w);
    void PageWritten(quint64 job, const QString &page);
    void ShowTemplateName();
    void StartRefresh(std::unique_ptr<pugi::xml_document> design, std::unique_ptr<pugi::xml_document> options,
                      const QString &demoBlock);

    bool FHorizontal;
    std::unique_ptr<BrowserPane> FPane;
    TFocusTracker *FTracker = nullptr;
    bool FScrollBoxEnterOn = true;  // off while a selection gives a tile the focus
    quint64 FJobCounter = 0;
    bool FUnreadableDesign = false;  // the chosen design did not read, so no job could preview it
    bool FClosing = false;
    bool FBuilding = false;  // a page build runs: page turns and selections wait for its end
};

// Opens the gallery for the orientation. backFlag on entry shows Back; on return it is true exactly
// when Back was pressed. True exactly when a design was chosen with OK: the exchange folder then holds
// its whole preview set (flashmenu.xml, HTMLOptions.xml, the menu movie, the media it names).
bool ShowPresetDesign(const QString &templatesDir, bool horizontal, bool &backFlag, QWidget *parent = nullptr);
