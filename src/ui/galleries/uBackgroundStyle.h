#pragma once
// "Menu Background Style": the background of the menu chosen from the orientation's background
// library, six a page, or a file of the user's own, previewed in the dialog's own pane through the
// exchange folder Templates/Preview/.
#include "GalleryDialog.h"

class QComboBox;
class QLabel;
class TMenuDesign;
class TPreviewSet;
struct THtmlPageOptions;

class TfrmMenuBackgoundStyle : public TGalleryDialog {
    Q_OBJECT
public:
    explicit TfrmMenuBackgoundStyle(const TGallerySetup &setup);

    // Opening steps before the dialog runs: the description, the library, the page list, the page
    // of the design's background.
    void Prepare(const QString &xmlText);

    QLabel *lblTemplateID = nullptr;
    QComboBox *cbTemplateID = nullptr;
    QPushButton *btnCustomBgrd = nullptr;
    QFrame *pnlSep_1 = nullptr;

public slots:
    void btnCreateClick();
    void btnCustomBgrdClick();
    void cbTemplateIDChange(int index);

protected:
    void TileChosen() override;
    void PageShown(const TPageView &view) override;
    void showEvent(QShowEvent *event) override;
    void PlaceRightPanel() override;

private:
    void UpdatePreview();
    QString OpenDialogFilter() const;

    bool FCustomFile = false;
    QString FCustomSource; // the file chosen in the open dialog
};

// Runs the dialog over a menu description; true when it was left with OK. The exchange folder then
// holds the changed flashmenu.xml and the chosen background in its flashmenu/ folder. Raises
// Exception when the description cannot be opened (no dialog is shown then).
bool ShowBackgroundStyle(const TGallerySetup &setup, const QString &xmlText);

// The main window's Background Style: hands the open design to the exchange folder, runs show
// (normally ShowBackgroundStyle), and after OK takes back the description and the background file,
// empties the exchange folder and rebuilds the design from the working folder. After Cancel nothing
// comes back and the exchange folder keeps its files. setOpenDialogFolder gets the working folder
// for the shared open dialog. Returns show's answer.
bool a_BackgoundStyleExecute(TMenuDesign &design, TPreviewSet &preview, const THtmlPageOptions &pageOptions,
                             const std::function<bool(const QString &xmlText)> &show,
                             const std::function<void(const QString &)> &setOpenDialogFolder = {});
