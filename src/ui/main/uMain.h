#pragma once
#include "WebBrowserPane.h"
#include "uAddEditMenu.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPackages.h"
#include "uPreview.h"
#include "uProjects.h"
#include "uPublish.h"
#include "uSelectMenuType.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QWebEngineView;
class TfrmMain;
class TMenuStateGrid;
class TSplitterBar;
class TfraColorEdit;
class TfraMenuButtonShortList;
class TfraFileEdit;
class TColorGrid;

// The dialogs the main window opens, each replaceable so that a test answers it. The defaults show
// the program's own dialogs.
struct TMainWindowDialogs {
    std::function<QString(QWidget *owner, const TFileDialogSetup &setup)> ChooseOpenFile;
    std::function<QString(QWidget *owner, const TFileDialogSetup &setup)> ChooseSaveFile;
    // New: the menu type choice chained to the preset gallery; true when a design was chosen.
    std::function<bool(TfrmMain &window, const QString &templatesFolder, bool &back)> SelectMenuType;
    // The preset-design gallery the menu type choice chains to; true when a design was chosen.
    std::function<bool(TfrmMain &window, const QString &templatesFolder, bool &back)> PresetGallery;
    std::function<bool(TfrmMain &window, const QString &templatesFolder, const QString &xmlText)> MenuButtonsStyle;
    // The background gallery over the exchange folder; true on OK.
    std::function<bool(TfrmMain &window, const QString &xmlText)> BackgroundStyle;
    // 0 cancel, 1 open projectFile, 2 new, 3 exit.
    std::function<int(TfrmMain &window, QString &projectFile)> Wizard;
    // "-1" when cancelled, else "kind=side".
    std::function<QString(QWidget *owner, int kind, int side, bool horizontal)> PublishSettings;
    std::function<QString(QWidget *owner, const QString &title, const QString &startFolder)> BrowseFolder;
    // A main entry with its position list (caption "" keeps "Add Menu"), or a sub-entry; true on OK.
    std::function<bool(TEditMenuValues &values, const QString &caption)> EditMenu;
    std::function<bool(TFlashMenuItem &entry, const QString &caption)> EditMenuItem;
    // The text dialog (title, description) and the button-state dialog; true on OK.
    std::function<bool(TTextOptions &options, const QString &caption)> EditTextOptions;
    std::function<bool(const QString &caption, TButtonOptions &options)> EditButtonOptions;
    // The user settings dialog; true on OK (Options then hold the new values).
    std::function<bool(TfrmMain &window)> Settings;
    std::function<void(TfrmMain &window)> About;
    // The icon-link dialog on the design's icon links with link selected (1..4); true on OK.
    std::function<bool(TfrmMain &window, TXMLICONInfo &info, int selected)> IconLinks;
    // The end of the message loop (Exit); the default asks the application to quit.
    std::function<void()> EndApplication;
};
TMainWindowDialogs DefaultMainWindowDialogs();

// The hint picture drawn when no language picture is there.
QPixmap DefaultHintPicture(bool vertical);

// A label's or panel's left edge at half the free width of its parent (halves to even).
void CenterControlHorizontally(QWidget *control);

// The designer's main window; it owns the design for the whole run.
class TfrmMain : public QMainWindow,
                 public IDesignHost,
                 public IPreviewHost,
                 public IProjectHost,
                 public IPublishHost,
                 public IMenuTypeHost,
                 public IPackageHost {
    Q_OBJECT
public:
    // Creation up to the window being ready (design, settings, language, blank project).
    explicit TfrmMain(const QString &programFolder, QWidget *parent = nullptr,
                      TMainWindowDialogs dialogs = DefaultMainWindowDialogs());
    ~TfrmMain() override;

    // Shows the window and acts on the command line (arguments after the program): a project opened,
    // a package installed, or the start-up wizard; then the compact layout on a small screen.
    void Start(const QStringList &arguments);

    const QString &ProgramFolder() const { return FAppDir; }
    TMenuDesign &Design() { return FDesign; }
    THtmlPageOptions &PageOptions() { return FPageOptions; }
    TPreviewSet &Preview() { return FPreview; }
    TProjects &Projects() { return FProjects; }
    TMainWindowDialogs &Dialogs() { return FDialogs; }
    // The refresh and guide timers' wait, 1500 ms; tests shorten it.
    void SetTimerIntervals(int refreshMs, int sliderMs);

    // --- IDesignHost ---
    void ClearMainMenuButtons() override;
    void MainEntryAdded(int id) override;
    void SubEntryAdded(int parentId, int id) override;
    void EntryEdited(int id) override;
    void EntryRemoved(int id) override;
    void RebuildMenuToolbar() override;
    void RefreshPreview() override;
    void UpdateInterface(int mode) override;
    void ModifiedChanged() override;
    void PrepareDesignControls(const TFileFieldSetups &fields) override;
    void RefreshPositionHints() override;
    void FinishDesignReset() override;
    void ComputeMenuAreaWidth() override;
    void ComputeMenuAreaHeight() override;
    void ShowMenuPosition(int x, int y) override;
    void SetOpenDialogFolder(const QString &folder) override;
    void ReadHtmlOptions(const QString &file) override;
    void ClearProjectFileName() override;
    void NavigateBrowser(const QString &file) override;

    // --- IPreviewHost ---
    BrowserPane *Browser() override { return FBrowserPane.get(); }
    void StopRefreshTimer() override;
    bool UseActiveContentJS() const override;
    bool ShowSecureReminder() const override;
    void SetShowSecureReminder(bool on) override;
    bool RunSecureReminder() override;

    // --- IProjectHost ---
    QString ChooseOpenFile(const TFileDialogSetup &setup) override;
    QString ChooseSaveFile(const TFileDialogSetup &setup) override;
    bool ShowSelectMenuType(const QString &templatesFolder, bool &back) override;
    bool ShowMenuButtonsStyle(const QString &templatesFolder, const QString &xmlText) override;
    int ShowWizard(QString &projectFile) override;
    void ExitProgram() override;
    bool FromWizard() const override { return FFromWizard; }
    void UpdateInterfaceCore(int mode) override;
    void ActivateMainPage() override;
    void SetCaption(const QString &caption) override;
    void PageOptionsLoaded() override;
    void ReloadButtonShortList() override;
    void RecentProjectsChanged(const QStringList &entries) override;
    QString ProjectPath() const override;
    void SetProjectPath(const QString &path) override;
    bool UseLastProjectPath() const override;

    // --- IMenuTypeHost ---
    bool IsHorizontal() const override { return FDesign.IsHorizontal(); }
    // Re-lays the window only when the orientation really changes.
    void SetOrientation(bool horizontal) override;
    bool RunPresetGallery(const QString &templatesDir, bool &back) override;

    // --- IPackageHost ---
    bool LatestButtonsOnTop() const override;
    void ReloadTemplateShortList(const QString &menuFile) override;
    // The tile of the design's button set marked (the file part of menuFile).
    void RefreshTemplateShortList(const QString &menuFile);

    // --- IPublishHost ---
    QString ShowPublishSettings(int kind, int side) override;
    QString BrowseForFolder(const QString &title, const QString &startFolder) override;

    // --- layouts ---
    bool IsScreenLargeEnough() const;
    void LayoutCompactMainWindow();
    // The window within the screen's free area (available), centred on it: its designed size where
    // that fits, else smaller, its minimum giving way to a screen smaller than that.
    void FitToScreen(const QRect &available);
    void LayoutVerticalMenuPanel();
    void ApplyLanguageFonts();
    bool SplitterCanResize(int newSize) const;
    void SplitterMoved();

    // --- menu toolbar ---
    // Adds a main entry (position "" appends, else the slot); returns its "Create Sub Menu" item,
    // nullptr when the table is full.
    QAction *AddMainMenuButton(const QString &position, const QString &caption, bool noRebuild,
                               const QString &target, const QString &href);
    bool EditMenuDialog(QString &name, QString &url, const QString &caption, QString &position, QString &target);
    QToolButton *MenuButtonOfEntry(int id) const;
    QMenu *PopupOfEntry(int id) const;
    void FreeComponentByName(const QString &name);
    void RecaptionMenuPopupItems();

    // --- change tracking ---
    void MarkChanged();
    void ScheduleRefresh();
    void SetNoProject(bool value);
    void SelectPaletteColor(int32_t color, TColorGrid *palette);
    void ColorEditChanged(TfraColorEdit *field);
    // Shows the design's values in the controls (the loading flag keeps the change hooks quiet).
    void ShowDesignValues();

    // --- position editor ---
    void UpdatePositionHints();
    void UpdateTrackXRange();
    // The selected element, 0..5.
    int SelectedElement() const;
    // The element of the checked radio button, 0..5.
    int SelectedRadioElement() const;

public slots:
    // File
    void a_NewExecute();
    void a_LoadSWFExecute();
    void a_SaveExecute();
    void a_SaveAsExecute();
    void a_OpenPreviewExecute();
    void a_PublishExecute();
    void a_PreviewExecute();
    void a_RefreshExecute();
    void a_AboutExecute();
    void a_ExitExecute();
    void miExitClick();
    void RecentList_Click();
    void miUserGuideClick();
    void miSupportClick();
    void miH_MB1Click();
    void LanguageClick(QAction *item);
    // Menu entries
    void a_AddMenuButtonExecute();
    void imgMenuBarHintClick();
    void panMenuSpaceDblClick();
    void PopupButtonDropdown(QToolButton *button);
    void PumOnPopup(QMenu *menu);
    void AddSubMenuEntryClick(QAction *item);
    void EditMenuEntryClick(QAction *item);
    void RemoveMenuEntryClick(QAction *item);
    void btnTitleOptionsClick();
    void btnBaselineOptionsClick();
    // The four font buttons of the state grid, row 0..3.
    void ButtonStateClick(int row);
    void miSettingsClick();
    void a_BackgoundStyleExecute();
    void a_InstallTemplateExecute();
    void a_UpdateExecute();
    // A pick in the button short list.
    void SelectMenuTemplate(const QString &name);
    void btnLinkOptions_BackClick();
    void acIconLinkoptionsExecute(int selected);
    // Position editor
    void rbLogoClick(QRadioButton *sender);
    void cbAdjPosChange();
    void trbTrackXChange();
    void trbTrackYChange();
    void pnlWebBrowserBorderResize();
    void timerSliderTimer();
    void tbMenuSpacingChange();
    // Change handlers
    void ControlWasChangedEvent();
    void timerRefreshTimer();
    void edtTitleChange();
    void edtBaselineChange();
    void fraLogoImageedFileNameChange();
    void fraBackgroundSoundedFileNameChange();
    void chbMuteDuringDesignClick();
    void fraBackgroundSoundbtnOpenFileDialogClick();
    void cgFlashColorPaletteClick();
    void cgHTMLColorPaletteClick();
    void HtmlPageTextChanged();

public:
    // Controls, by their fixed names.
    QAction *a_New = nullptr, *a_LoadSWF = nullptr, *a_Save = nullptr, *a_SaveAs = nullptr, *a_Publish = nullptr,
            *a_Refresh = nullptr, *a_Preview = nullptr, *a_BackgoundStyle = nullptr, *a_OpenPreview = nullptr,
            *a_Update = nullptr, *a_InstallTemplate = nullptr, *a_AddMenuButton = nullptr, *a_About = nullptr,
            *a_Exit = nullptr;
    QAction *miExit = nullptr, *miIconLinksOptions = nullptr, *miSettings = nullptr;
    QMenu *miFile = nullptr, *miEdit = nullptr, *miOption = nullptr, *miHelp = nullptr, *miRecent = nullptr,
          *miLanguage = nullptr;
    QToolBar *ToolBar = nullptr;

    QFrame *pnlBrowser = nullptr, *panTrackY = nullptr, *pnlWebBrowserBorder = nullptr, *pnlTopBrowser = nullptr,
           *pnlBottomBrowser = nullptr, *pnlFlashPreviewRightBorder = nullptr, *pnlHorizontalDotline = nullptr,
           *pnlVerticalDotline = nullptr, *pnlLineBottom = nullptr, *panCornerLB = nullptr, *panCornerLB2 = nullptr,
           *panCornerRB = nullptr, *pnlLineTop = nullptr;
    QLabel *pnlXYShows = nullptr;
    QWebEngineView *WebBrowser = nullptr;
    QSlider *trbTrackX = nullptr, *trbTrackY = nullptr;
    QCheckBox *chbMuteDuringDesign = nullptr;
    QLabel *lblAdjust = nullptr;
    QRadioButton *rbMenu = nullptr, *rbLogo = nullptr, *rbTitle = nullptr, *rbDescription = nullptr,
                 *rbIconLinks = nullptr, *rbMusicOnOff = nullptr;
    TSplitterBar *Splitter = nullptr;

    QFrame *pnlCenter = nullptr;
    QTabWidget *pcMain = nullptr;
    QWidget *tabFlashOptions = nullptr, *tabHTMLSettings = nullptr;
    // The HTML page's controls stand on pnlHTMLSettings, which scrolls in a window too short for them.
    QScrollArea *scbHTMLSettings = nullptr;
    QWidget *pnlHTMLSettings = nullptr;
    QFrame *panMenus = nullptr;
    QLabel *lblMenus = nullptr;
    QScrollArea *panMenuButtons = nullptr;
    QWidget *panMenuButtonsClient = nullptr;
    QWidget *tbrMenus = nullptr;
    QFrame *FHintPanel = nullptr;
    QLabel *imgMenuBarHint = nullptr;
    QFrame *panMenuSpace = nullptr;
    QScrollArea *scbLeft = nullptr;
    QWidget *panLeft = nullptr;
    QGroupBox *gbSiteInformation = nullptr, *gbCustomizeMenuColor = nullptr, *gbBackground = nullptr;
    QLabel *lblTitle = nullptr, *lblBaseline = nullptr, *lblLogoImage = nullptr, *lblBackgroundMusic = nullptr,
           *imgBackgroundMusic = nullptr;
    QLineEdit *edtTitle = nullptr, *edtBaseline = nullptr;
    QPushButton *btnTitleOptions = nullptr, *btnBaselineOptions = nullptr;
    TfraFileEdit *fraLogoImage = nullptr, *fraBackgroundSound = nullptr, *fraBackgroundImage = nullptr,
               *fraOnRollOver = nullptr, *fraSoundOnRelease = nullptr;
    TMenuStateGrid *MenuStringGrid = nullptr;
    QPushButton *btnMainMenuNormal = nullptr, *btnMainMenuActive = nullptr, *btnSubMenuNormal = nullptr,
                *btnSubMenuActive = nullptr;
    QTabWidget *pcMenuDesignEtc = nullptr;
    QWidget *tabMenuDesign = nullptr, *tabAdvancedButtonStyle = nullptr;
    TfraMenuButtonShortList *fraMenuButtonShortList1 = nullptr;
    QGroupBox *rgrButtonSize = nullptr, *rgrMenuType = nullptr, *rgTextAlign = nullptr, *gbMenuSpacing = nullptr;
    QLabel *lblMenuSpacing = nullptr, *lblSpacingMin = nullptr, *lblSpacingMax = nullptr;
    QSlider *tbMenuSpacing = nullptr;
    QComboBox *cbAdjPos = nullptr;
    QGroupBox *gbPreview = nullptr;
    QFrame *pnlMainLeft = nullptr, *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr;
    QGroupBox *grbColorSelection = nullptr, *grbBackground = nullptr, *grbSound = nullptr;
    TfraColorEdit *fraFlashBackgroundColor = nullptr, *fraHTMLBackgroundColor = nullptr;
    TColorGrid *cgFlashColorPalette = nullptr, *cgHTMLColorPalette = nullptr;
    QSlider *tbBackgroundTrans = nullptr;

    QGroupBox *grbHTMLColorSelection = nullptr, *grpMetaTags = nullptr;
    QLabel *lblCurrentColor = nullptr, *lblStandardPalette = nullptr, *lblHTMLSiteTitle = nullptr, *lblMeta = nullptr,
           *lblMetaKeywords = nullptr, *lblMetaDescription = nullptr;
    QLineEdit *editTitle = nullptr;
    QFrame *pnlMetaKeyWords = nullptr;
    std::array<QLineEdit *, 12> editKeys{};
    QPlainTextEdit *memoDescription = nullptr;

    QFrame *pnlButtons = nullptr, *panBottomButtons = nullptr, *panMenuEdit = nullptr;
    QPushButton *btnSave = nullptr, *btnPublish = nullptr, *btnRefresh = nullptr, *btnPreview = nullptr,
                *btnClose = nullptr, *btnSelectBackground = nullptr, *btnLinkOptions = nullptr, *btnAddMenu = nullptr;
    QTimer *timerRefresh = nullptr, *timerSlider = nullptr;
    QMenu *pmLinkOptions = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Creation
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateBrowserPanel();
    void CreateCenter();
    void CreateFlashOptionsPage();
    void CreateAdvancedPage();
    void CreateHtmlPage();
    void CreateBottomButtons();
    void FormCreate();
    void FormShow();
    void FormResize();
    void SaveSettingsOnClose();
    void ApplyLanguageToWindow();
    void ApplyHintPicture();
    // Layouts
    void ApplyLayout();
    void LayoutHorizontal();
    void LayoutHtmlPageHorizontal();
    // The HTML page's sheet as high as its controls reach.
    void FitHtmlSheet();
    void FitMetaTagsWidth();
    void LayoutVertical();
    // The vertical layout names the button sizes by what they fit, in the current language.
    void NameVerticalButtonSizes();
    void PlaceBrowserStrip();
    void PlaceMenuEdit();
    void RefreshEnabledState();
    // Menu toolbar
    QToolButton *CreateMenuButton(int slot);
    QAction *CreatePopupItem(QMenu *menu, const QString &name, const QString &caption, int tag,
                             void (TfrmMain::*handler)(QAction *));
    // Runs a user action; a failure ends it and is shown in the error box.
    void RunAction(const std::function<void()> &action);
    // Position editor
    void ShowGuides(bool vertical, bool horizontal);
    // A new maximum for a track bar; the stored position stays and the slider shows as much of it as
    // the range allows.
    void SetTrackMaximum(QSlider *track, int maximum);
    int &ElementX(int element);
    int &ElementY(int element);
    QRadioButton *ElementRadio(int element) const;
    // Mirrors
    void TextOptionsClick(TTextOptions &options, const QString &caption, QLineEdit *edit, int fontSlot);
    static void StoreFont(TFontInfo &info, const TFontValue &font);
    void TextEditChanged(QLineEdit *edit, QString &mirror, TTextOptions &options);
    void TrackChange(bool xAxis);
    void ShowPageOptions();
    void SetRadioIndex(QGroupBox *group, int index);
    int RadioIndex(QGroupBox *group) const;

    QString FAppDir;
    TMainWindowDialogs FDialogs;
    TMenuDesign FDesign;
    THtmlPageOptions FPageOptions;
    TPreviewSet FPreview;
    TProjects FProjects;
    TPublisher FPublisher;
    TPackages FPackages;
    std::unique_ptr<WebBrowserPane> FBrowserPane;
    QString FOpenDialogFolder;
    QString FStartupPackage;  // a package named on the command line, used by the next Install
    bool FFromWizard = false;
    bool FHintPanelMade = false;
    bool FStarted = false;
    bool FExiting = false;
    bool FInResize = false;
    bool FShownOnce = false;
    bool FShowingFirst = false;  // Start fills the window once it is on screen
    bool FCompact = false;  // the compact start placed the read-out and the menu commands
    bool FShowingValues = false;  // the controls are being filled from the design
    int FRefreshInterval = 1500;
    // The popup menu of each main entry and the toolbar button made from it, keyed by entry Id.
    QHash<int, QPointer<QMenu>> FPopups;
    QHash<int, QPointer<QToolButton>> FButtons;
    // The popup item of each sub-entry (holding its Edit and Remove items), keyed by entry Id.
    QHash<int, QPointer<QMenu>> FSubItems;
    QList<QPointer<QAction>> FRecentItems;
    QList<QAction *> FUnavailable;  // commands whose dialog was left out
};
