#include "uMain.h"

#include "AlignPanel.h"
#include "Conversions.h"
#include "Errors.h"
#include "FormControls.h"
#include "ColorGrid.h"
#include "MainWindowParts.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "uAbout.h"
#include "fra_MenuButtonShortList.h"
#include "uBackgroundStyle.h"
#include "uMenuStyle.h"
#include "uIconLinkOptions.h"
#include "uPresetDesign.h"
#include "uBrowseFolderUtils.h"
#include "uMenuItemEditor.h"
#include "uMenuTextOptions.h"
#include "uOptions.h"
#include "uTextOptions.h"
#include "uWizard.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "Trans.h"
#include "uGlobal.h"
#include "uProgramStart.h"
#include "uPublishSettings.h"
#include "uSettings.h"
#include "unitSecureReminder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <limits>

namespace {

QString StartPath(const TFileDialogSetup &setup)
{
    const QString folder = NativePath(QString(), setup.InitialFolder);
    if (setup.FileName.isEmpty())
        return folder;
    return ExtractFilePath(setup.FileName).isEmpty() ? WithSlash(folder) + setup.FileName : setup.FileName;
}

} // namespace

TMainWindowDialogs DefaultMainWindowDialogs()
{
    TMainWindowDialogs d;
    d.ChooseOpenFile = [](QWidget *owner, const TFileDialogSetup &setup) {
        return OpenFileDialog(owner, QString(), StartPath(setup), setup.Filter);
    };
    d.ChooseSaveFile = [](QWidget *owner, const TFileDialogSetup &setup) {
        QFileDialog dialog(owner, QString(), StartPath(setup), QtNameFilter(setup.Filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(setup.DefaultExt);
        // The project flow asks its own question before it replaces a file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                       : QString();
    };
    d.PublishSettings = [](QWidget *owner, int kind, int side, bool horizontal) {
        return ::ShowPublishSettings(kind, side, horizontal, owner);
    };
    d.BrowseFolder = [](QWidget *owner, const QString &title, const QString &start) {
        return BrowseForFolderCompat(owner, title, start);
    };
    d.SelectMenuType = [](TfrmMain &window, const QString &templatesFolder, bool &back) {
        return ::ShowSelectMenuType(window, templatesFolder, back, &window);
    };
    d.Wizard = [](TfrmMain &window, QString &projectFile) {
        const TWizardChoice choice =
            ::ShowWizard(window.ProgramFolder(), LanguageName, window.Projects().RecentProjects(), &window);
        projectFile = choice.ProjectFile;
        return choice.Result;
    };
    d.EditMenu = [](TEditMenuValues &values, const QString &caption) { return ::EditMenuDialog(values, caption); };
    d.EditMenuItem = [](TFlashMenuItem &entry, const QString &caption) { return ::EditMenuItem(entry, caption); };
    d.EditTextOptions = [](TTextOptions &options, const QString &caption) { return ::EditTextOptions(options, caption); };
    d.EditButtonOptions = [](const QString &caption, TButtonOptions &options) {
        return ::EditButtonOptions(caption, options);
    };
    d.Settings = [](TfrmMain &window) {
        return ShowOptionsDialog(window.IsHorizontal(), window.ProgramFolder(), LanguageName, &window);
    };
    d.MenuButtonsStyle = [](TfrmMain &window, const QString &, const QString &xmlText) {
        TGallerySetup setup;
        setup.ProgramFolder = window.ProgramFolder();
        setup.Horizontal = window.IsHorizontal();
        return ShowMenuButtonsStyle(setup, xmlText);
    };
    d.BackgroundStyle = [](TfrmMain &window, const QString &xmlText) {
        TGallerySetup setup;
        setup.ProgramFolder = window.ProgramFolder();
        setup.Horizontal = window.IsHorizontal();
        setup.ReplacePackageCaptions = [](QComboBox *list) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            ReplacePackageCaptions(items);
            for (int i = 0; i < list->count(); ++i)
                list->setItemText(i, items[i]);
        };
        return ShowBackgroundStyle(setup, xmlText);
    };
    d.PresetGallery = [](TfrmMain &window, const QString &templatesFolder, bool &back) {
        // Opened from the menu-type choice: it must stand above that dialog, not beside it.
        QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &window;
        return ShowPresetDesign(templatesFolder, window.IsHorizontal(), back, owner);
    };
    d.IconLinks = [](TfrmMain &window, TXMLICONInfo &info, int selected) {
        return RunIconLinkOptions(window.ProgramFolder(), info, selected, &window);
    };
    d.About = [](TfrmMain &window) {
        ShowAbout(window.ProgramFolder(), LanguageName, ReadInstalledTemplates(window.ProgramFolder()), &window);
    };
    d.EndApplication = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
    return d;
}

void CenterControlHorizontally(QWidget *control)
{
    if (!control || !control->parentWidget())
        return;
    if (!qobject_cast<QLabel *>(control) && !qobject_cast<QFrame *>(control))
        return;
    const int free = control->parentWidget()->width() - control->width();
    // Halves to even, as the rounding of the toolkit the layout was made with.
    const int half = free / 2;
    const int left = (free % 2 == 0) ? half : (half % 2 == 0 ? half : half + (free > 0 ? 1 : -1));
    control->move(left, control->y());
}

TfrmMain::TfrmMain(const QString &programFolder, QWidget *parent, TMainWindowDialogs dialogs)
    : QMainWindow(parent),
      FAppDir(programFolder),
      FDialogs(std::move(dialogs)),
      FDesign(programFolder, this),
      FPreview(FDesign, FPageOptions, *this),
      FProjects(FDesign, FPreview, FPageOptions, *this, SettingsFileName(programFolder)),
      FPublisher(FDesign, FPageOptions, FPreview, *this),
      FPackages(FDesign, *this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvanar"));
    // Controls take their size from their captions as they are made: in the font they are shown in,
    // not the desktop's.
    ApplyLanguageFont(this, LanguageName);
    // The application title names the program to the desktop, as the text of its minimized window.
    setWindowIconText(ApplicationTitle());
    resize(955, 728);
    setMinimumSize(812, 612);  // both give way to a smaller screen when the window starts
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("pnlClient"));
    setCentralWidget(client);
    AttachAligner(client);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateBrowserPanel();
    CreateBottomButtons();
    CreateCenter();
    // A gallery that was left out (tests leave some) keeps its command off.
    if (!FDialogs.MenuButtonsStyle)
        FUnavailable << a_OpenPreview;
    if (!FDialogs.BackgroundStyle)
        FUnavailable << a_BackgoundStyle;

    timerRefresh = new QTimer(this);
    timerRefresh->setObjectName(QStringLiteral("timerRefresh"));
    timerRefresh->setSingleShot(true);
    timerRefresh->setInterval(1500);
    connect(timerRefresh, &QTimer::timeout, this, &TfrmMain::timerRefreshTimer);
    timerSlider = new QTimer(this);
    timerSlider->setObjectName(QStringLiteral("timerSlider"));
    connect(timerSlider, &QTimer::timeout, this, &TfrmMain::timerSliderTimer);

    for (TfraFileEdit *f : {fraLogoImage, fraBackgroundSound, fraBackgroundImage, fraOnRollOver})
        connect(f->edFileName, &QLineEdit::textChanged, this, [this, f] {
            if (f == fraLogoImage)
                fraLogoImageedFileNameChange();
            else if (f == fraBackgroundSound)
                fraBackgroundSoundedFileNameChange();
            else if (f == fraBackgroundImage)
                FDesign.Controls.BackgroundImage = f->edFileName->text(), MarkChanged();
            else
                FDesign.Controls.RollOverSound = f->edFileName->text(), MarkChanged();
        });
    // The music field's browse step starts in the sounds folder.
    disconnect(fraBackgroundSound->btnOpenFileDialog, &QToolButton::clicked, fraBackgroundSound, nullptr);
    connect(fraBackgroundSound->btnOpenFileDialog, &QToolButton::clicked, this,
            &TfrmMain::fraBackgroundSoundbtnOpenFileDialogClick);
    connect(edtTitle, &QLineEdit::textChanged, this, &TfrmMain::edtTitleChange);
    connect(edtBaseline, &QLineEdit::textChanged, this, &TfrmMain::edtBaselineChange);
    connect(chbMuteDuringDesign, &QCheckBox::clicked, this, &TfrmMain::chbMuteDuringDesignClick);
    connect(tbBackgroundTrans, &QSlider::valueChanged, this, [this](int v) {
        if (!FShowingValues)
            FDesign.FStoreOptions.BackgroundAlpha = v;
        ControlWasChangedEvent();
    });
    fraFlashBackgroundColor->OnColorChange = [this](TfraColorEdit *f) { ColorEditChanged(f); };
    fraHTMLBackgroundColor->OnColorChange = [this](TfraColorEdit *f) { ColorEditChanged(f); };
    // The mute switch starts on, as the window is designed; no description carries it.
    FDesign.Controls.MuteDuringDesign = chbMuteDuringDesign->isChecked();

    FormCreate();
}

void TfrmMain::FormCreate()
{
    WindowsVersionName = GetWindowsVersionName();
    InitVersionInfo();
    LanguageList = ListLanguages(FAppDir + QStringLiteral("Lang/"));
    BuildLanguageMenu(miLanguage, LanguageList, [this](QAction *item) { LanguageClick(item); });
    ClearOnTopLists();
    ReadPathOptions(FAppDir, Options);
    ReadMenuListOptions(FAppDir, Options);
    FDesign.FLoading = 1;
    timerSlider->setInterval(1500);
    pcMain->setCurrentIndex(0);
    InitLanguage();
    RunAction([this] { FDesign.ResetToBlankProject(); });
    for (int row = 0; row < 4; ++row)
        MenuStringGrid->SetRowTitle(row, LangMsg(7 + row));
    const QString language = ReadLanguageSetting(FAppDir);
    if (!language.isEmpty())
        LanguageName = language;
    ApplyLanguage(FAppDir, {[this] { return FDesign.IsModified(); }, [this](bool m) { FDesign.SetModified(m); },
                            [this] { ApplyLanguageToWindow(); }});
    CheckCurrentLanguageItem(this);
    FDesign.SetModified(false);
    InitPackages();
    fraMenuButtonShortList1->KeepCustomTile = false;
    UpdateInterface(0);
    lblMenuSpacing->setText(LangMsg(22) + QStringLiteral(" = ") + QString::number(tbMenuSpacing->value()));
}

void TfrmMain::Start(const QStringList &arguments)
{
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        FitToScreen(s->availableGeometry());
    // The window goes on screen first; the short list and the recent menu are filled right after,
    // before anything else of the start happens.
    FShowingFirst = true;
    show();
    FShowingFirst = false;
    if (!FShownOnce) {
        FShownOnce = true;
        FormShow();
    }
    pcMenuDesignEtc->setCurrentWidget(tabMenuDesign);
    const StartupCommand command = DecideStartupCommand(arguments);
    switch (command.action) {
    case StartupAction::OpenProject:
        ::StartupFileName = command.fileName;
        FProjects.StartupFileName = command.fileName;
        ::StartupFileName.clear();
        a_LoadSWF->trigger();
        break;
    case StartupAction::InstallPackage:
        FStartupPackage = command.fileName;
        a_InstallTemplate->trigger();
        break;
    case StartupAction::Nothing:
        break;
    case StartupAction::RunWizard:
        FFromWizard = true;
        RunAction([this] { FProjects.RunStartupChoice(); });
        FFromWizard = false;
        break;
    }
    if (!IsScreenLargeEnough())
        LayoutCompactMainWindow();
    pcMain->setFocus();
    UpdateInterface(0);
    lblMenuSpacing->setText(LangMsg(22) + QStringLiteral(" = ") + QString::number(tbMenuSpacing->value()));
    FStarted = true;
}

TfrmMain::~TfrmMain()
{
    // The on-top lists are kept only when one of the two options asks for them.
    if (Options.RecentButtonsOnTop || Options.LatestButtonsOnTop)
        WriteOnTopLists(FAppDir, Options);
    FDesign.SetHost(nullptr);
}

void TfrmMain::SetTimerIntervals(int refreshMs, int sliderMs)
{
    FRefreshInterval = refreshMs;
    timerRefresh->setInterval(refreshMs);
    timerSlider->setInterval(sliderMs);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!FShownOnce && !FShowingFirst) {
        FShownOnce = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    FDesign.FLoading = 0;
    FBrowserPane->Release();
    fraMenuButtonShortList1->LoadButtons([this](const QString &name) { SelectMenuTemplate(name); });
    FProjects.Load_Recent();
    FormResize();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (FExiting) {
        event->accept();
        return;
    }
    bool close = false;
    RunAction([&] { close = FProjects.FormCloseQuery(); });
    // Written also when the window stays open.
    SaveSettingsOnClose();
    event->setAccepted(close);
}

void TfrmMain::SaveSettingsOnClose()
{
    WriteLanguageSetting(FAppDir, LanguageName);
    WriteOptions(FAppDir, Options);
}

void TfrmMain::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        RefreshPreview();
        return;
    case Qt::Key_Escape:
        a_Exit->trigger();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void TfrmMain::ApplyLanguageToWindow()
{
    // The window's edits hold the project's texts: a language switch leaves them as typed.
    TranslateForm(this, objectName(), EditTexts::Keep);
    TranslateFrame(fraLogoImage, QStringLiteral("frmMain.fraLogoImage"), EditTexts::Keep);
    TranslateFrame(fraBackgroundSound, QStringLiteral("frmMain.fraBackgroundSound"), EditTexts::Keep);
    fraMenuButtonShortList1->ApplyLanguage();
    for (QGroupBox *group : {rgrButtonSize, rgrMenuType, rgTextAlign})
        TranslateRadioGroupItems(group, objectName());
    // The file's button-size items name the horizontal layout's choice; the vertical layout (the one
    // showing the text alignment) keeps its own names.
    if (!rgTextAlign->isHidden())
        NameVerticalButtonSizes();
    ApplyHintPicture();
    RecaptionMenuPopupItems();
    if (auto *b = findChild<QToolButton *>(QStringLiteral("tbInstallTemplate")))
        b->setText(a_InstallTemplate->text());
    lblMenuSpacing->setText(LangMsg(22) + QStringLiteral(" = ") + QString::number(tbMenuSpacing->value()));
    const QList<QRadioButton *> radios{rbMenu, rbLogo, rbTitle, rbDescription, rbIconLinks, rbMusicOnOff};
    const int current = cbAdjPos->currentIndex();
    cbAdjPos->clear();
    for (QRadioButton *rb : radios)
        cbAdjPos->addItem(rb->text());
    cbAdjPos->setCurrentIndex(FDesign.IsHorizontal() ? std::max(current, 0) : 0);
    for (int row = 0; row < 4; ++row)
        MenuStringGrid->SetRowTitle(row, LangMsg(7 + row));
    FProjects.UpdateCaption();
    setWindowIconText(ApplicationTitle());
    const std::pair<QPushButton *, QAction *> bottom[] = {
        {btnSave, a_Save}, {btnPublish, a_Publish}, {btnRefresh, a_Refresh}, {btnPreview, a_Preview}, {btnClose, a_Exit}};
    for (const auto &[button, action] : bottom)
        button->setText(action->text());
    InitPackages();
    ApplyLanguageFonts();
    RebuildMenuToolbar();
}

void TfrmMain::LanguageClick(QAction *item)
{
    RunAction([this, item] {
        SelectLanguage(FAppDir, item, this,
                       {[this] { return FDesign.IsModified(); }, [this](bool m) { FDesign.SetModified(m); },
                        [this] { ApplyLanguageToWindow(); }});
    });
}

void TfrmMain::RunAction(const std::function<void()> &action)
{
    try {
        action();
    } catch (...) {
        ShowHandlerError(std::current_exception());
    }
}

// ---- File ----------------------------------------------------------------------------------

void TfrmMain::a_NewExecute()
{
    RunAction([this] { FProjects.a_NewExecute(); });
}

void TfrmMain::a_LoadSWFExecute()
{
    RunAction([this] { FProjects.a_LoadSWFExecute(); });
}

void TfrmMain::a_SaveExecute()
{
    RunAction([this] { FProjects.a_SaveExecute(); });
}

void TfrmMain::a_SaveAsExecute()
{
    RunAction([this] { FProjects.a_SaveAsExecute(); });
}

void TfrmMain::a_OpenPreviewExecute()
{
    RunAction([this] { FProjects.a_OpenPreviewExecute(); });
}

void TfrmMain::a_PublishExecute()
{
    RunAction([this] {
        TPublishPathSetting paths{Options.PublishPath, Options.UseLastPublishPath};
        FPublisher.a_PublishExecute(paths);
        Options.PublishPath = paths.PublishPath;
    });
}

void TfrmMain::a_PreviewExecute()
{
    RunAction([this] { FPreview.a_PreviewExecute(); });
}

void TfrmMain::RecentList_Click()
{
    auto *item = qobject_cast<QAction *>(sender());
    if (!item)
        return;
    const int tag = item->data().toInt();
    RunAction([this, tag] { FProjects.RecentList_Click(tag); });
}

void TfrmMain::RecentProjectsChanged(const QStringList &entries)
{
    for (const QPointer<QAction> &a : FRecentItems)
        delete a.data();
    FRecentItems.clear();
    miRecent->clear();
    if (entries.isEmpty()) {
        QAction *none = miRecent->addAction(LangMsg(44));
        none->setEnabled(false);
        FRecentItems << none;
        return;
    }
    for (int i = 0; i < entries.size(); ++i) {
        QAction *a = miRecent->addAction(PlainMenuText(entries[i]));
        a->setData(i);
        connect(a, &QAction::triggered, this, &TfrmMain::RecentList_Click);
        FRecentItems << a;
    }
}

void TfrmMain::a_AboutExecute()
{
    if (FDialogs.About)
        RunAction([this] { FDialogs.About(*this); });
}

void TfrmMain::miSettingsClick()
{
    if (!FDialogs.Settings || !FDialogs.Settings(*this))
        return;
    WriteOptions(FAppDir, Options);
    if (FDesign.IsHorizontal())
        ComputeMenuAreaWidth();
    else
        ComputeMenuAreaHeight();
    // Without a project there is nothing to save: the settings alone do not make one modified.
    if (!FDesign.FNoProject)
        MarkChanged();
}

void TfrmMain::a_BackgoundStyleExecute()
{
    if (!FDialogs.BackgroundStyle)
        return;
    RunAction([this] {
        ::a_BackgoundStyleExecute(
            FDesign, FPreview, FPageOptions, [this](const QString &xml) { return FDialogs.BackgroundStyle(*this, xml); },
            [this](const QString &folder) { SetOpenDialogFolder(folder); });
    });
}

void TfrmMain::a_InstallTemplateExecute()
{
    RunAction([this] { FPackages.a_InstallTemplateExecute(FStartupPackage); });
    FStartupPackage.clear();
}

void TfrmMain::a_UpdateExecute()
{
    bool updated = false;
    RunAction([&] { updated = FPackages.a_UpdateExecute(); });
    if (updated)
        RefreshPreview();
}

void TfrmMain::SelectMenuTemplate(const QString &name)
{
    RunAction([this, &name] {
        ::SelectMenuTemplate(
            FDesign, name,
            [this] {
                ShowDesignValues();
                MarkChanged();
            },
            [this] { RefreshPreview(); });
    });
}

void TfrmMain::ReloadButtonShortList()
{
    fraMenuButtonShortList1->KeepCustomTile = true;
    fraMenuButtonShortList1->Reload([this](const QString &name) { SelectMenuTemplate(name); });
}

void TfrmMain::RefreshTemplateShortList(const QString &menuFile)
{
    ::RefreshTemplateShortList(*fraMenuButtonShortList1, menuFile);
}

void TfrmMain::ReloadTemplateShortList(const QString &menuFile)
{
    fraMenuButtonShortList1->KeepCustomTile = false;
    fraMenuButtonShortList1->Reload([this](const QString &name) { SelectMenuTemplate(name); });
    RefreshTemplateShortList(menuFile);
}

bool TfrmMain::LatestButtonsOnTop() const
{
    return Options.LatestButtonsOnTop;
}

void TfrmMain::btnLinkOptions_BackClick()
{
    FillLinkOptionsMenu(pmLinkOptions, FDesign.FIconInfo, [this](int n) { acIconLinkoptionsExecute(n); });
    pmLinkOptions->popup(btnLinkOptions->mapToGlobal(QPoint(0, btnLinkOptions->height())));
}

void TfrmMain::acIconLinkoptionsExecute(int selected)
{
    if (FDesign.FNoProject || !FDialogs.IconLinks)
        return;
    bool ok = false;
    RunAction([&] { ok = FDialogs.IconLinks(*this, FDesign.FIconInfo, selected); });
    if (ok)
        MarkChanged();
}

void TfrmMain::btnTitleOptionsClick()
{
    TextOptionsClick(FDesign.FTitleOptions, lblTitle->text(), edtTitle, fsTitle);
}

void TfrmMain::btnBaselineOptionsClick()
{
    TextOptionsClick(FDesign.FDescOptions, lblBaseline->text(), edtBaseline, fsDesc);
}

void TfrmMain::TextOptionsClick(TTextOptions &options, const QString &caption, QLineEdit *edit, int fontSlot)
{
    if (!FDialogs.EditTextOptions || !FDialogs.EditTextOptions(options, caption))
        return;
    edit->setText(options.Text);
    StoreFont(FDesign.FStoreOptions.Fonts[size_t(fontSlot)], options.Font);
    MarkChanged();
}

void TfrmMain::ButtonStateClick(int row)
{
    if (row < 0 || row > 3)
        return;
    TButtonOptions &options = FDesign.FButtonOptions[size_t(row)];
    if (!FDialogs.EditButtonOptions || !FDialogs.EditButtonOptions(MenuStringGrid->RowTitle(row), options))
        return;
    TXMLStoreOptions &o = FDesign.FStoreOptions;
    const std::pair<int32_t *, int32_t *> targets[4] = {{&o.MainNormalColor, &o.MainNormalAlpha},
                                                        {&o.MainActiveColor, &o.MainActiveAlpha},
                                                        {&o.SubNormalColor, &o.SubNormalAlpha},
                                                        {&o.SubActiveColor, &o.SubActiveAlpha}};
    *targets[row].first = SwapRedBlueValue(options.BackColor);
    *targets[row].second = options.Alpha;
    StoreFont(o.Fonts[size_t(row)], options.Font);
    MenuStringGrid->update();
    MarkChanged();
}

void TfrmMain::StoreFont(TFontInfo &info, const TFontValue &font)
{
    info.Name = font.Name;
    info.Size = font.Size;
    info.Color = SwapRedBlueValue(font.Color);
    info.Bold = font.Bold ? 1 : 0;
    info.Italic = font.Italic ? 1 : 0;
    info.Underline = font.Underline ? 1 : 0;
}

void TfrmMain::SetOrientation(bool horizontal)
{
    FDesign.SetOrientation(horizontal);
    UpdateInterfaceCore(50);
}

bool TfrmMain::RunPresetGallery(const QString &templatesDir, bool &back)
{
    return FDialogs.PresetGallery && FDialogs.PresetGallery(*this, templatesDir, back);
}

void TfrmMain::a_ExitExecute()
{
    int answer = mrCancel;
    RunAction([&] { answer = FProjects.AskSaveChanges(); });
    if (answer == mrCancel)
        return;
    SaveSettingsOnClose();
    FExiting = true;
    if (FDialogs.EndApplication)
        FDialogs.EndApplication();
}

void TfrmMain::ExitProgram()
{
    a_ExitExecute();
}

void TfrmMain::miExitClick()
{
    close();
}

void TfrmMain::miUserGuideClick()
{
    OpenUrl(WebLink(0));
}

void TfrmMain::miSupportClick()
{
    OpenUrl(WebLink(1));
}

void TfrmMain::miH_MB1Click()
{
    OpenUrl(WebLink(2));
}

// ---- IProjectHost / IPublishHost ------------------------------------------------------------

QString TfrmMain::ChooseOpenFile(const TFileDialogSetup &setup)
{
    TFileDialogSetup s = setup;
    if (s.InitialFolder.isEmpty())
        s.InitialFolder = FOpenDialogFolder;
    return FDialogs.ChooseOpenFile ? FDialogs.ChooseOpenFile(this, s) : QString();
}

QString TfrmMain::ChooseSaveFile(const TFileDialogSetup &setup)
{
    return FDialogs.ChooseSaveFile ? FDialogs.ChooseSaveFile(this, setup) : QString();
}

bool TfrmMain::ShowSelectMenuType(const QString &templatesFolder, bool &back)
{
    return FDialogs.SelectMenuType && FDialogs.SelectMenuType(*this, templatesFolder, back);
}

bool TfrmMain::ShowMenuButtonsStyle(const QString &templatesFolder, const QString &xmlText)
{
    return FDialogs.MenuButtonsStyle && FDialogs.MenuButtonsStyle(*this, templatesFolder, xmlText);
}

int TfrmMain::ShowWizard(QString &projectFile)
{
    return FDialogs.Wizard ? FDialogs.Wizard(*this, projectFile) : 0;
}

void TfrmMain::ActivateMainPage()
{
    pcMain->setFocus();
}

void TfrmMain::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void TfrmMain::PageOptionsLoaded()
{
    ShowPageOptions();
}

QString TfrmMain::ProjectPath() const
{
    return Options.ProjectPath;
}

void TfrmMain::SetProjectPath(const QString &path)
{
    Options.ProjectPath = path;
}

bool TfrmMain::UseLastProjectPath() const
{
    return Options.UseLastProjectPath;
}

QString TfrmMain::ShowPublishSettings(int kind, int side)
{
    return FDialogs.PublishSettings ? FDialogs.PublishSettings(this, kind, side, FDesign.IsHorizontal())
                                    : QStringLiteral("-1");
}

QString TfrmMain::BrowseForFolder(const QString &title, const QString &startFolder)
{
    return FDialogs.BrowseFolder ? FDialogs.BrowseFolder(this, title, startFolder) : QString();
}

// ---- IDesignHost ----------------------------------------------------------------------------

void TfrmMain::RefreshPreview()
{
    RunAction([this] { FPreview.RefreshPreview(); });
}

void TfrmMain::UpdateInterface(int mode)
{
    UpdateInterfaceCore(mode);
}

void TfrmMain::ModifiedChanged()
{
    UpdateInterfaceCore(0);
}

void TfrmMain::PrepareDesignControls(const TFileFieldSetups &fields)
{
    for (int row = 0; row < 4; ++row)
        MenuStringGrid->SetRowTitle(row, LangMsg(7 + row));
    fraFlashBackgroundColor->OnColorChange = [this](TfraColorEdit *f) { ColorEditChanged(f); };
    fraHTMLBackgroundColor->OnColorChange = [this](TfraColorEdit *f) { ColorEditChanged(f); };
    TfraFileEdit *const order[4] = {fraBackgroundImage, fraBackgroundSound, fraOnRollOver, fraLogoImage};
    for (int i = 0; i < 4; ++i)
        order[i]->Setup(fields[size_t(i)].Filter, false, fields[size_t(i)].StartFolder);
    SetTrackMaximum(trbTrackX, std::numeric_limits<int>::max());
}

void TfrmMain::FinishDesignReset()
{
    ShowDesignValues();
    // However the design came (new, opened, from a gallery), the short list marks its button set.
    if (!FDesign.FNoProject)
        RefreshTemplateShortList(FDesign.CurrentMenuFileName);
    ShowGuides(false, false);
    timerSlider->stop();
    UpdateTrackXRange();
}

void TfrmMain::SetOpenDialogFolder(const QString &folder)
{
    FOpenDialogFolder = folder;
}

void TfrmMain::ReadHtmlOptions(const QString &file)
{
    ::ReadHtmlOptions(file, FPageOptions);
    ShowPageOptions();
}

void TfrmMain::ClearProjectFileName()
{
    FProjects.ClearProjectFileName();
}

void TfrmMain::NavigateBrowser(const QString &file)
{
    FBrowserPane->Navigate(file);
}

// ---- IPreviewHost ---------------------------------------------------------------------------

void TfrmMain::StopRefreshTimer()
{
    timerRefresh->stop();
}

bool TfrmMain::UseActiveContentJS() const
{
    return Options.UseActiveContentJS;
}

bool TfrmMain::ShowSecureReminder() const
{
    return Options.ShowSecureReminder;
}

void TfrmMain::SetShowSecureReminder(bool on)
{
    Options.ShowSecureReminder = on;
}

bool TfrmMain::RunSecureReminder()
{
    return ::RunSecureReminder(this);
}

// ---- Change tracking ------------------------------------------------------------------------

void TfrmMain::MarkChanged()
{
    if (FDesign.FLoading)
        return;
    FDesign.SetModified(true);
    ScheduleRefresh();
}

void TfrmMain::ScheduleRefresh()
{
    timerRefresh->stop();
    // Values loaded into the track bars drop a pending refresh instead of starting one.
    if (FDesign.FReadingXml)
        return;
    timerRefresh->start(FRefreshInterval);
}

void TfrmMain::timerRefreshTimer()
{
    timerRefresh->stop();
    a_RefreshExecute();
}

void TfrmMain::a_RefreshExecute()
{
    RefreshPreview();
}

void TfrmMain::SetNoProject(bool value)
{
    FDesign.SetNoProject(value);
}

void TfrmMain::ControlWasChangedEvent()
{
    if (FShowingValues)
        return;
    FDesign.Controls.MenuTypeIndex = RadioIndex(rgrMenuType);
    FDesign.Controls.ButtonSizeIndex = RadioIndex(rgrButtonSize);
    FDesign.Controls.TextAlignIndex = RadioIndex(rgTextAlign);
    MarkChanged();
}

void TfrmMain::edtTitleChange()
{
    TextEditChanged(edtTitle, FDesign.Controls.Title, FDesign.FTitleOptions);
}

void TfrmMain::edtBaselineChange()
{
    TextEditChanged(edtBaseline, FDesign.Controls.Baseline, FDesign.FDescOptions);
}

void TfrmMain::TextEditChanged(QLineEdit *edit, QString &mirror, TTextOptions &options)
{
    if (FShowingValues)
        return;
    mirror = edit->text();
    // The same text (a dialog handing it back) changes nothing.
    if (edit->text() == options.Text)
        return;
    options.Text = edit->text();
    MarkChanged();
}

void TfrmMain::fraLogoImageedFileNameChange()
{
    if (FShowingValues)
        return;
    FDesign.Controls.LogoImage = fraLogoImage->edFileName->text();
    MarkChanged();
}

void TfrmMain::fraBackgroundSoundedFileNameChange()
{
    if (FShowingValues)
        return;
    FDesign.Controls.BackgroundSound = fraBackgroundSound->edFileName->text();
    MarkChanged();
}

void TfrmMain::chbMuteDuringDesignClick()
{
    FDesign.Controls.MuteDuringDesign = chbMuteDuringDesign->isChecked();
    MarkChanged();
}

void TfrmMain::fraBackgroundSoundbtnOpenFileDialogClick()
{
    fraBackgroundSound->OpenDialog.InitialDir = NativePath(FAppDir, QStringLiteral("Templates\\Sounds\\"));
    fraBackgroundSound->btnOpenFileDialogClick();
}

void TfrmMain::cgFlashColorPaletteClick()
{
    fraFlashBackgroundColor->SetColor(cgFlashColorPalette->ForegroundColor());
    MarkChanged();
}

void TfrmMain::cgHTMLColorPaletteClick()
{
    fraHTMLBackgroundColor->SetColor(cgHTMLColorPalette->ForegroundColor());
    MarkChanged();
}

void TfrmMain::ColorEditChanged(TfraColorEdit *field)
{
    if (field == fraFlashBackgroundColor) {
        if (!FShowingValues)
            FDesign.FStoreOptions.BackgroundColor = SwapRedBlue(field->GetColor());
        SelectPaletteColor(field->GetColor(), cgFlashColorPalette);
    } else if (field == fraHTMLBackgroundColor) {
        if (!FShowingValues)
            FPageOptions.BackgroundColor = SwapRedBlue(field->GetColor());
        SelectPaletteColor(field->GetColor(), cgHTMLColorPalette);
    }
    MarkChanged();
}

void TfrmMain::SelectPaletteColor(int32_t color, TColorGrid *palette)
{
    palette->SelectColor(color);
}

void TfrmMain::HtmlPageTextChanged()
{
    if (FShowingValues)
        return;
    FPageOptions.Title = editTitle->text();
    FPageOptions.Description = memoDescription->toPlainText();
    for (int i = 0; i < 12; ++i)
        FPageOptions.Keys[size_t(i)] = editKeys[size_t(i)]->text();
    HTMLChanged(FDesign);
}

void TfrmMain::ShowDesignValues()
{
    TFlagGuard loading(FDesign.FLoading, 1);
    FShowingValues = true;
    const TDesignControls &c = FDesign.Controls;
    tbMenuSpacing->setValue(c.MenuSpacing);
    lblMenuSpacing->setText(LangMsg(22) + QStringLiteral(" = ") + QString::number(tbMenuSpacing->value()));
    SetRadioIndex(rgrMenuType, c.MenuTypeIndex);
    SetRadioIndex(rgrButtonSize, c.ButtonSizeIndex);
    SetRadioIndex(rgTextAlign, c.TextAlignIndex);
    fraBackgroundImage->SetFileName(c.BackgroundImage);
    fraLogoImage->SetFileName(c.LogoImage);
    fraBackgroundSound->SetFileName(c.BackgroundSound);
    fraOnRollOver->SetFileName(c.RollOverSound);
    chbMuteDuringDesign->setChecked(c.MuteDuringDesign);
    if (edtTitle->text() != c.Title)
        edtTitle->setText(c.Title);
    if (edtBaseline->text() != c.Baseline)
        edtBaseline->setText(c.Baseline);
    fraFlashBackgroundColor->SetColor(SwapRedBlue(FDesign.FStoreOptions.BackgroundColor));
    tbBackgroundTrans->setValue(FDesign.FStoreOptions.BackgroundAlpha);
    MenuStringGrid->update();
    FShowingValues = false;
}

void TfrmMain::ShowPageOptions()
{
    TFlagGuard loading(FDesign.FLoading, 1);
    FShowingValues = true;
    editTitle->setText(FPageOptions.Title);
    {
        const QSignalBlocker block(memoDescription);
        memoDescription->setPlainText(FPageOptions.Description);
    }
    for (int i = 0; i < 12; ++i)
        editKeys[size_t(i)]->setText(FPageOptions.Keys[size_t(i)]);
    fraHTMLBackgroundColor->SetColor(SwapRedBlue(FPageOptions.BackgroundColor));
    FShowingValues = false;
}

void TfrmMain::SetRadioIndex(QGroupBox *group, int index)
{
    const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
    for (int i = 0; i < items.size(); ++i) {
        // Every item off first: a group may hold no selection at all.
        items[i]->setAutoExclusive(false);
        items[i]->setChecked(i == index);
        items[i]->setAutoExclusive(true);
    }
}

int TfrmMain::RadioIndex(QGroupBox *group) const
{
    const QList<QRadioButton *> items = group->findChildren<QRadioButton *>();
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}
