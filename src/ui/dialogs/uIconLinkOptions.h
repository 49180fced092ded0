#pragma once
// The icon-link dialog: the two icon-link colours, the on/off flags and one link at a time, with a
// preview of the link's picture. It edits a copy of the design's record; the caller's record changes
// only after OK.
#include "GalleryShared.h"
#include "uDesignTypes.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class TColorGrid;
class TfraColorEdit;
class TfraFileEdit;

// The fields of the link being edited.
class TfraIconLinkParam : public QWidget {
    Q_OBJECT
public:
    TfraIconLinkParam(const QString &programFolder, QWidget *parent = nullptr);

    QGroupBox *GroupBox = nullptr;
    QLineEdit *edName = nullptr;
    QComboBox *cmbTarget = nullptr;
    TfraFileEdit *fraFileEdit = nullptr;
    QSlider *alpha = nullptr;
    QLineEdit *edURL = nullptr;
    int32_t FItemNumber = 0;

public slots:
    void alphaChange();
};

class TfrmIconLinkOptions : public QDialog {
    Q_OBJECT
public:
    TfrmIconLinkOptions(const QString &programFolder, QWidget *parent = nullptr);
    ~TfrmIconLinkOptions() override;

    TXMLICONInfo FIconInfo;

    QGroupBox *grbIconLinksColors = nullptr;
    QLabel *stNormal = nullptr;
    QLabel *stActive = nullptr;
    QGroupBox *grpNormalLinkColor = nullptr;
    QGroupBox *grpActiveLinkColor = nullptr;
    TfraColorEdit *fraNormalLinkColor = nullptr;
    TfraColorEdit *fraActiveLinkColor = nullptr;
    TColorGrid *cgNormalLinkColorPalette = nullptr;
    TColorGrid *cgActiveLinkColorPalette = nullptr;
    QLabel *lblSelectLink = nullptr;
    QRadioButton *rbLinkButton[4] = {};
    QLabel *lblActive = nullptr;
    QCheckBox *cbFirst = nullptr;
    QCheckBox *cbSecond = nullptr;
    QCheckBox *cbThird = nullptr;
    QCheckBox *cbFourth = nullptr;
    QPushButton *btnClearAllIconLinks = nullptr;
    QPushButton *btnCheckAllIconLinks = nullptr;
    QWidget *pnlIconLinkOptions = nullptr;
    TfraIconLinkParam *fraIconLinkParam = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *lblIconImagePreview = nullptr;
    QWidget *WebBrowser = nullptr;  // 100 x 100; the preview pane fills it
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    BrowserPane *Browser() const { return FPane.get(); }
    QCheckBox *CheckBox(int n) const;  // 1..4

    // The opening steps: a copy of info, the links loaded, then the colour notifications.
    void Start(const TXMLICONInfo &info, int selected);
    void LoadLinks(int selected);
    void ShowItem(int number);
    void StoreItem();
    void StoreLinks();
    void UpdateRadioCaptions();
    void UpdateCheckButtons();
    void NormalColorChanged();
    void ActiveColorChanged();
    void SetFormFont();

public slots:
    void rbLinkButton1Click();
    void IocnLinkCheckboxClick();
    void btnClearAllIconLinksClick();
    void btnCheckAllIconLinksClick();
    void cgNormalLinkColorPaletteChange();
    void cgActiveLinkColorPaletteChange();
    void fraFileEditbtnOpenFileDialogClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowPreview();
    QString FAppDir;
    std::unique_ptr<BrowserPane> FPane;
};

// Runs the dialog on a copy of info with link selected (1..4) shown. True after OK, info then
// holds the edited values; unchanged otherwise.
bool EditIconLinks(const QString &programFolder, TXMLICONInfo &info, int selected, QWidget *parent = nullptr);

// Brings one picture into the media folder MenuPreview/flashmenu/: a full path is copied from
// there; any other name is taken from the icon library when the media folder does not hold it yet.
void CopyIconLinkFile(const QString &programFolder, const QString &name);

// The main window's command: the dialog, then every picture brought into the media folder and
// stored as "flashmenu\" + its bare name. True after OK (the caller then marks the change).
bool RunIconLinkOptions(const QString &programFolder, TXMLICONInfo &info, int selected, QWidget *parent = nullptr);

// The pop-up of the four links: every item removed, then "%d - %s" items (number, name) whose
// choice calls onChoose with the link's number.
void FillLinkOptionsMenu(QMenu *pmLinkOptions, const TXMLICONInfo &info, const std::function<void(int)> &onChoose);
