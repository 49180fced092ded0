#pragma once
// "Menu Buttons Style": a set of menu buttons (a menu movie) chosen from the orientation's button
// library, six a page, and the button type; the set's colours and fonts are merged into the open
// design and previewed in the dialog's own pane through the exchange folder Templates/Preview/.
#include "GalleryDialog.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;

class TfrmMenuStyle : public TGalleryDialog {
    Q_OBJECT
public:
    explicit TfrmMenuStyle(const TGallerySetup &setup);
    ~TfrmMenuStyle() override;

    // Opening steps before the dialog runs: the description, the type control, the library, the
    // page of the design's menu movie.
    void Prepare(const QString &xmlText);

    // The type control of the orientation (radio group across, drop-down list down) and its item.
    QWidget *TypeControl() const;
    int TypeIndex() const;
    bool TypeChanged() const { return FTypeChanged; }
    TGalleryTile *FocusedTile() const { return FFocusedTile; }

    QGroupBox *rgrMenuType = nullptr;
    QRadioButton *rgrMenuTypeItems[3] = {};
    QWidget *Panel1 = nullptr;
    QLabel *lblButtonType = nullptr;
    QComboBox *cbButtonType = nullptr;

public slots:
    void btnCreateClick();
    void rgrMenuTypeClick();
    void cbButtonTypeChange();

protected:
    void TileChosen() override;
    void PanelEnter(TGalleryTile *tile) override;
    void ScrollBoxEnter() override;
    void showEvent(QShowEvent *event) override;
    void PlaceRightPanel() override;
    // ApplicationEventsMessage: Tab or a left button pressed while a tile has the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Selects the type item without calling the change handlers.
    void SetTypeIndex(int index);
    void UpdatePreview();
    // The merge of the set's template design into doc; stops silently at the first fault.
    void MergeStyle(pugi::xml_document &doc, const pugi::xml_document &style);

    QButtonGroup *FTypeGroup = nullptr;
    QPointer<TGalleryTile> FFocusedTile;
    bool FTypeChanged = false;
    // The last merge reached the exchange folder: only then may OK hand it over.
    bool FPreviewWritten = false;
};

// Runs the dialog over a menu description; true when it was left with OK. The exchange folder then
// holds the merged flashmenu.xml and the chosen menu movie. Raises Exception when the description
// cannot be opened (no dialog is shown then).
bool ShowMenuButtonsStyle(const TGallerySetup &setup, const QString &xmlText);
