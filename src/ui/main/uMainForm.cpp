// The main window's controls as designed: the horizontal arrangement. The vertical one is made from
// it by the layout step (uMainLayout.cpp).
#include "AlignPanel.h"
#include "ColorGrid.h"
#include "FormControls.h"
#include "MainWindowParts.h"
#include "fra_ColorEdit.h"
#include "fra_FileEdit.h"
#include "fra_MenuButtonShortList.h"
#include "uMain.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

template <typename T>
T *Named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QFrame *Panel(QWidget *parent, const char *name, TAlign align = TAlign::None, int size = 0)
{
    auto *panel = Named(new QFrame(parent), name);
    AttachAligner(panel);
    if (align == TAlign::Top || align == TAlign::Bottom)
        panel->resize(panel->width(), size);
    else if (align != TAlign::None)
        panel->resize(size, panel->height());
    if (align != TAlign::None)
        SetAlign(panel, align);
    return panel;
}

QLabel *Label(QWidget *parent, const char *name, const QString &text, int x, int y, bool bold = false)
{
    auto *label = Named(new QLabel(text, parent), name);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->adjustSize();
    label->move(x, y);
    return label;
}

QGroupBox *RadioGroup(QWidget *parent, const char *name, const QString &title, const QStringList &items,
                      const QRect &geometry)
{
    auto *group = Named(new QGroupBox(title, parent), name);
    group->setGeometry(geometry);
    int y = 22;
    for (const QString &item : items) {
        auto *b = new QRadioButton(item, group);
        b->move(12, y);
        b->adjustSize();
        y += 22;
    }
    return group;
}

// The slider the way the designer's track bars look: ticks, a page and line step.
QSlider *TrackBar(QWidget *parent, const char *name, Qt::Orientation o, int max, int position)
{
    auto *bar = Named(new QSlider(o, parent), name);
    bar->setRange(0, max);
    bar->setValue(position);
    bar->setTickInterval(10);
    return bar;
}

// Menu and tool-button pictures from the style, so that they fit the desktop.
QIcon StdIcon(QStyle::StandardPixmap p)
{
    return QApplication::style()->standardIcon(p);
}

} // namespace

QPixmap DefaultHintPicture(bool vertical)
{
    QPixmap pm(vertical ? QSize(150, 26) : QSize(160, 44));
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x00, 0x66, 0xCC), 1.4));
    p.setBrush(QColor(0xBB, 0xD7, 0xFF));
    const QRect box = vertical ? QRect(2, 3, 146, 20) : QRect(4, 12, 150, 22);
    p.drawRoundedRect(box, 4, 4);
    QFont f = p.font();
    f.setPointSize(8);
    p.setFont(f);
    p.setPen(QColor(0x00, 0x33, 0x66));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("+  Click to add a menu"));
    return pm;
}

void TfrmMain::CreateActions()
{
    auto make = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto *a = Named(new QAction(caption, this), name);
        if (icon != QStyle::SP_CustomBase)
            a->setIcon(StdIcon(icon));
        return a;
    };
    a_New = make("a_New", QStringLiteral("&New..."), QStyle::SP_FileIcon);
    a_New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a_LoadSWF = make("a_LoadSWF", QStringLiteral("L&oad Menu..."), QStyle::SP_DialogOpenButton);
    a_LoadSWF->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a_Save = make("a_Save", QStringLiteral("&Save"), QStyle::SP_DialogSaveButton);
    a_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a_SaveAs = make("a_SaveAs", QStringLiteral("Save &As..."));
    a_Publish = make("a_Publish", QStringLiteral("&Publish..."), QStyle::SP_ArrowUp);
    a_Refresh = make("a_Refresh", QStringLiteral("Refres&h"), QStyle::SP_BrowserReload);
    a_Refresh->setShortcut(QKeySequence(Qt::Key_F5));
    a_Preview = make("a_Preview", QStringLiteral("Previe&w"), QStyle::SP_DesktopIcon);
    a_BackgoundStyle = make("a_BackgoundStyle", QStringLiteral("&Bgrd. Style..."), QStyle::SP_DirHomeIcon);
    a_OpenPreview = make("a_OpenPreview", QStringLiteral("&Button Style..."), QStyle::SP_FileDialogDetailedView);
    a_Update = make("a_Update", QStringLiteral("&Update Project"));
    a_InstallTemplate = make("a_InstallTemplate", QStringLiteral("Install &Template"), QStyle::SP_DriveHDIcon);
    a_InstallTemplate->setToolTip(QStringLiteral("Install Template"));
    a_AddMenuButton = make("a_AddMenuButton", QStringLiteral("[&Add New Menu]"));
    a_About = make("a_About", QStringLiteral("Abo&ut..."), QStyle::SP_MessageBoxInformation);
    a_Exit = make("a_Exit", QStringLiteral("E&xit"));

    connect(a_New, &QAction::triggered, this, &TfrmMain::a_NewExecute);
    connect(a_LoadSWF, &QAction::triggered, this, &TfrmMain::a_LoadSWFExecute);
    connect(a_Save, &QAction::triggered, this, &TfrmMain::a_SaveExecute);
    connect(a_SaveAs, &QAction::triggered, this, &TfrmMain::a_SaveAsExecute);
    connect(a_Publish, &QAction::triggered, this, &TfrmMain::a_PublishExecute);
    connect(a_Refresh, &QAction::triggered, this, &TfrmMain::a_RefreshExecute);
    connect(a_Preview, &QAction::triggered, this, &TfrmMain::a_PreviewExecute);
    connect(a_OpenPreview, &QAction::triggered, this, &TfrmMain::a_OpenPreviewExecute);
    connect(a_AddMenuButton, &QAction::triggered, this, &TfrmMain::a_AddMenuButtonExecute);
    connect(a_About, &QAction::triggered, this, &TfrmMain::a_AboutExecute);
    connect(a_Exit, &QAction::triggered, this, &TfrmMain::a_ExitExecute);
    for (QAction *a : {a_New, a_LoadSWF, a_Save, a_Refresh})
        a->setShortcutContext(Qt::WindowShortcut);
    // The background gallery, Update Project, Install Template and the about box come with their
    // own dialogs; until those are part of the program the commands stay off.
    connect(a_BackgoundStyle, &QAction::triggered, this, &TfrmMain::a_BackgoundStyleExecute);
    connect(a_InstallTemplate, &QAction::triggered, this, &TfrmMain::a_InstallTemplateExecute);
    connect(a_Update, &QAction::triggered, this, &TfrmMain::a_UpdateExecute);
}

void TfrmMain::CreateMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    miFile = Named(bar->addMenu(QStringLiteral("&File")), "miFile");
    miFile->addAction(a_New);
    miFile->addSeparator();
    miFile->addAction(a_LoadSWF);
    miFile->addAction(a_Save);
    miFile->addAction(a_SaveAs);
    miFile->addSeparator();
    miFile->addAction(a_Publish);
    miFile->addAction(a_InstallTemplate);
    miFile->addAction(a_Update);
    miFile->addSeparator();
    miRecent = Named(miFile->addMenu(QStringLiteral("&Recent Projects")), "miRecent");
    miFile->addSeparator();
    miExit = Named(miFile->addAction(QStringLiteral("E&xit"), this, &TfrmMain::miExitClick), "miExit");

    miEdit = Named(bar->addMenu(QStringLiteral("&Edit")), "miEdit");
    miEdit->addAction(a_Refresh);
    miEdit->addSeparator();
    miEdit->addAction(a_BackgoundStyle);
    miEdit->addAction(a_OpenPreview);
    miIconLinksOptions = Named(miEdit->addAction(QStringLiteral("Icon Link &Options...")), "miIconLinksOptions");

    miOption = Named(bar->addMenu(QStringLiteral("Options")), "miOption");
    miLanguage = Named(miOption->addMenu(QStringLiteral("Language")), "miLanguage");
    miSettings = Named(miOption->addAction(QStringLiteral("Settings...")), "miSettings");

    miHelp = Named(bar->addMenu(QStringLiteral("&Help")), "miHelp");
    Named(miHelp->addAction(QStringLiteral("Online User Guide"), this, &TfrmMain::miUserGuideClick), "miUserGuide");
    Named(miHelp->addAction(QStringLiteral("Contact Support"), this, &TfrmMain::miSupportClick), "miSupport");
    miHelp->addSeparator();
    Named(miHelp->addAction(QStringLiteral("Online Template Library"), this, &TfrmMain::miH_MB1Click), "miH_MB1");
    miHelp->addSeparator();
    miHelp->addAction(a_About);
    connect(miSettings, &QAction::triggered, this, &TfrmMain::miSettingsClick);
    connect(miIconLinksOptions, &QAction::triggered, this, [this] { acIconLinkoptionsExecute(1); });
    pmLinkOptions = Named(new QMenu(this), "pmLinkOptions");
}

void TfrmMain::CreateToolBar()
{
    ToolBar = Named(addToolBar(QStringLiteral("ToolBar")), "ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    struct Item {
        QAction *action;
        const char *name;
        const char *caption;
        const char *hint;
    };
    const Item items[] = {
        {a_New, "tbNew", "&New", "Create a new project"},
        {a_LoadSWF, "tbLoad", "L&oad Menu", "Open an project file"},
        {a_Save, "tbSave", "&Save", "Save project"},
        {a_Publish, "tbPublish", "&Publish", "Publish your project"},
        {nullptr, nullptr, nullptr, nullptr},
        {a_Refresh, "tbRefersh", "&Refresh", "Refresh current preview"},
        {a_Preview, "tbPreview", "Previe&w", "Preview in browser"},
        {nullptr, nullptr, nullptr, nullptr},
        {a_BackgoundStyle, "tbBackgroundStyle", "Background", "Select background of your flash menu"},
        {a_OpenPreview, "tbButtonStyle", "Button St&yle", "Select your button style"},
        {nullptr, nullptr, nullptr, nullptr},
        {a_InstallTemplate, "tbInstallTemplate", "&Install", "Install Template"},
        {nullptr, nullptr, nullptr, nullptr},
        {a_About, "tbAbout", "Abo&ut", "About Tolvanar"},
    };
    for (const Item &item : items) {
        if (!item.action) {
            ToolBar->addSeparator();
            continue;
        }
        // A button of its own, so that its caption and hint can differ from the menu's.
        auto *b = Named(new QToolButton(ToolBar), item.name);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(item.action->icon());
        b->setText(QString::fromLatin1(item.caption));
        b->setToolTip(QString::fromLatin1(item.hint));
        b->setAutoRaise(true);
        b->setMinimumSize(70, 44);
        QAction *action = item.action;
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, b, &QWidget::setEnabled);
        b->setEnabled(action->isEnabled());
        ToolBar->addWidget(b);
    }
    ToolBar->addSeparator();
}

void TfrmMain::CreateBrowserPanel()
{
    pnlBrowser = Panel(centralWidget(), "pnlBrowser", TAlign::Top, 225);
    pnlBrowser->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    AttachAligner(pnlBrowser, QMargins(1, 1, 1, 1));

    pnlLineBottom = Panel(pnlBrowser, "pnlLineBottom", TAlign::Bottom, 45);
    panCornerLB = Panel(pnlLineBottom, "panCornerLB", TAlign::Left, 22);
    panCornerRB = Panel(pnlLineBottom, "panCornerRB", TAlign::Right, 6);
    pnlXYShows = Named(new QLabel(pnlLineBottom), "pnlXYShows");
    pnlXYShows->setAlignment(Qt::AlignCenter);
    pnlXYShows->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    pnlXYShows->resize(206, 21);
    pnlLineTop = Panel(pnlLineBottom, "pnlLineTop");
    pnlLineTop->setGeometry(30, 23, 689, 17);
    chbMuteDuringDesign = Named(new QCheckBox(QStringLiteral("Mute during design"), pnlLineTop), "chbMuteDuringDesign");
    chbMuteDuringDesign->setChecked(true);
    chbMuteDuringDesign->setGeometry(0, 0, 140, 17);
    lblAdjust = Label(pnlLineTop, "lblAdjust", QStringLiteral("Adjust:"), 144, 1);
    const std::pair<QRadioButton **, std::pair<const char *, const char *>> radios[] = {
        {&rbMenu, {"rbMenu", "Menu"}},       {&rbLogo, {"rbLogo", "Logo"}},
        {&rbTitle, {"rbTitle", "Title"}},    {&rbDescription, {"rbDescription", "Description"}},
        {&rbIconLinks, {"rbIconLinks", "Icon Links"}}, {&rbMusicOnOff, {"rbMusicOnOff", "Music On/Off"}},
    };
    const int lefts[] = {184, 264, 328, 408, 472, 592};
    int i = 0;
    for (const auto &[field, text] : radios) {
        *field = Named(new QRadioButton(QLatin1String(text.second), pnlLineTop), text.first);
        (*field)->setGeometry(lefts[i++], 0, 80, 17);
        QRadioButton *rb = *field;
        connect(rb, &QRadioButton::clicked, this, [this, rb] { rbLogoClick(rb); });
    }
    rbMenu->setChecked(true);

    panTrackY = Panel(pnlBrowser, "panTrackY", TAlign::Left, 32);
    trbTrackY = TrackBar(panTrackY, "trbTrackY", Qt::Vertical, 149, 22);
    trbTrackY->setInvertedAppearance(true);  // 0 at the top, like the preview's y
    trbTrackY->setInvertedControls(true);
    trbTrackY->setTickPosition(QSlider::TicksRight);
    trbTrackY->resize(32, trbTrackY->height());
    SetAlign(trbTrackY, TAlign::Left);

    pnlWebBrowserBorder = Panel(pnlBrowser, "pnlWebBrowserBorder", TAlign::Client);
    pnlWebBrowserBorder->setMinimumHeight(176);
    pnlTopBrowser = Panel(pnlWebBrowserBorder, "pnlTopBrowser", TAlign::Top, 10);
    pnlBottomBrowser = Panel(pnlWebBrowserBorder, "pnlBottomBrowser", TAlign::Bottom, 12);
    pnlFlashPreviewRightBorder = Panel(pnlWebBrowserBorder, "pnlFlashPreviewRightBorder", TAlign::Right, 18);
    WebBrowser = Named(new QWebEngineView(pnlWebBrowserBorder), "WebBrowser");
    WebBrowser->setContextMenuPolicy(Qt::NoContextMenu);
    SetAlign(WebBrowser, TAlign::Client);
    FBrowserPane = std::make_unique<WebBrowserPane>(WebBrowser);
    FBrowserPane->Hold();
    for (QFrame **guide : {&pnlHorizontalDotline, &pnlVerticalDotline}) {
        *guide = Named(new QFrame(pnlWebBrowserBorder),
                       guide == &pnlHorizontalDotline ? "pnlHorizontalDotline" : "pnlVerticalDotline");
        (*guide)->setAutoFillBackground(true);
        QPalette pal = (*guide)->palette();
        pal.setColor(QPalette::Window, QColor(0xE0, 0x20, 0x20));
        (*guide)->setPalette(pal);
        (*guide)->hide();
    }
    pnlWebBrowserBorder->installEventFilter(this);

    trbTrackX = TrackBar(pnlBrowser, "trbTrackX", Qt::Horizontal, 1004, 22);
    trbTrackX->setTickPosition(QSlider::TicksAbove);
    trbTrackX->resize(1004 + 23, 24);
    connect(trbTrackX, &QSlider::valueChanged, this, &TfrmMain::trbTrackXChange);
    connect(trbTrackY, &QSlider::valueChanged, this, &TfrmMain::trbTrackYChange);

}

void TfrmMain::CreateCenter()
{
    pnlCenter = Panel(centralWidget(), "pnlCenter", TAlign::Client);
    pcMain = Named(new QTabWidget(pnlCenter), "pcMain");
    SetAlign(pcMain, TAlign::Client);
    tabFlashOptions = Named(new QWidget, "tabFlashOptions");
    tabHTMLSettings = Named(new QWidget, "tabHTMLSettings");
    AttachAligner(tabFlashOptions);
    pcMain->addTab(tabFlashOptions, QStringLiteral("&Flash Options"));
    pcMain->addTab(tabHTMLSettings, QStringLiteral("&HTML Settings"));

    panMenuEdit = Panel(pnlCenter, "panMenuEdit");
    btnSelectBackground = Named(new QPushButton(QStringLiteral("&Background Style"), panMenuEdit), "btnSelectBackground");
    btnLinkOptions = Named(new QPushButton(QStringLiteral("&Icon Link Options"), panMenuEdit), "btnLinkOptions");
    btnLinkOptions->setToolTip(QStringLiteral("Edit icon links of the menu"));
    btnAddMenu = Named(new QPushButton(a_AddMenuButton->text(), panMenuEdit), "btnAddMenu");
    connect(btnSelectBackground, &QPushButton::clicked, a_BackgoundStyle, &QAction::trigger);
    connect(btnAddMenu, &QPushButton::clicked, a_AddMenuButton, &QAction::trigger);
    connect(btnLinkOptions, &QPushButton::clicked, this, &TfrmMain::btnLinkOptions_BackClick);
    btnSelectBackground->setGeometry(0, 0, 160, 20);
    btnLinkOptions->setGeometry(160, 0, 160, 20);
    btnAddMenu->setGeometry(320, 0, 160, 20);
    panMenuEdit->resize(480, 20);

    // Shown by the vertical layout only.
    Splitter = Named(new TSplitterBar(pnlCenter), "Splitter");
    Splitter->hide();
    Splitter->CanResize = [this](int size) { return SplitterCanResize(size); };
    Splitter->Moved = [this] { SplitterMoved(); };
    gbPreview = Named(new QGroupBox(QStringLiteral("Preview"), pnlCenter), "gbPreview");
    AttachAligner(gbPreview, QMargins(4, 18, 4, 4));
    gbPreview->hide();
    pnlMainLeft = Panel(pnlCenter, "pnlMainLeft");
    pnlMainLeft->hide();
    Panel1 = Panel(pnlMainLeft, "Panel1");
    Panel2 = Panel(pnlCenter, "Panel2");
    Panel3 = Panel(pnlMainLeft, "Panel3");
    Panel4 = Panel(pnlMainLeft, "Panel4");
    for (QFrame *p : {Panel1, Panel2, Panel3, Panel4})
        p->hide();
    panCornerLB2 = Panel(gbPreview, "panCornerLB2");
    panCornerLB2->hide();

    CreateFlashOptionsPage();
    CreateAdvancedPage();
    CreateHtmlPage();
}

void TfrmMain::CreateFlashOptionsPage()
{
    panMenus = Panel(tabFlashOptions, "panMenus", TAlign::Top, 64);
    panMenus->setAutoFillBackground(true);
    QPalette pal = panMenus->palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0x66, 0xCC));
    panMenus->setPalette(pal);
    lblMenus = Label(panMenus, "lblMenus", QStringLiteral("Menu Structure"), 6, 1, true);
    pal = lblMenus->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    lblMenus->setPalette(pal);

    panMenuButtons = Named(new QScrollArea(panMenus), "panMenuButtons");
    panMenuButtons->setFrameStyle(QFrame::NoFrame);
    panMenuButtons->setWidgetResizable(true);
    panMenuButtons->setGeometry(5, 16, 600, 44);
    panMenuButtonsClient = new QWidget;
    panMenuButtonsClient->setObjectName(QStringLiteral("panMenuButtonsClient"));
    panMenuButtonsClient->setAutoFillBackground(true);
    pal = panMenuButtonsClient->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panMenuButtonsClient->setPalette(pal);
    AttachAligner(panMenuButtonsClient);
    panMenuButtons->setWidget(panMenuButtonsClient);

    tbrMenus = Named(new QWidget(panMenuButtonsClient), "tbrMenus");
    tbrMenus->resize(2, 44);
    SetAlign(tbrMenus, TAlign::Left);
    // The hint panel holds the hint picture beside (or under) the menu buttons.
    FHintPanel = Panel(panMenuButtonsClient, "pnlMenuBarHint", TAlign::Left, 160);
    FHintPanel->setAutoFillBackground(true);
    FHintPanel->setPalette(panMenuButtonsClient->palette());
    imgMenuBarHint = Named(new QLabel(FHintPanel), "imgMenuBarHint");
    imgMenuBarHint->setPixmap(DefaultHintPicture(false));
    imgMenuBarHint->setToolTip(QStringLiteral("Click to add a menu"));
    imgMenuBarHint->setCursor(Qt::PointingHandCursor);
    imgMenuBarHint->installEventFilter(this);
    imgMenuBarHint->adjustSize();
    SetAlign(imgMenuBarHint, TAlign::Top);
    SetAlignExtent(FHintPanel, imgMenuBarHint->width());
    panMenuSpace = Panel(panMenuButtonsClient, "panMenuSpace", TAlign::Client);
    panMenuSpace->setToolTip(QStringLiteral("Double click here to add a menu."));
    panMenuSpace->installEventFilter(this);

    scbLeft = Named(new QScrollArea(tabFlashOptions), "scbLeft");
    scbLeft->setFrameStyle(QFrame::NoFrame);
    scbLeft->resize(260, 300);
    SetAlign(scbLeft, TAlign::Left);
    panLeft = Named(new QWidget, "panLeft");
    panLeft->resize(244, 340);
    scbLeft->setWidget(panLeft);

    gbSiteInformation = Named(new QGroupBox(QStringLiteral("Menu Information"), panLeft), "gbSiteInformation");
    gbSiteInformation->setGeometry(4, 0, 237, 145);
    lblTitle = Label(gbSiteInformation, "lblTitle", QStringLiteral("Title"), 16, 18, true);
    edtTitle = Named(WholeValues(new QLineEdit(gbSiteInformation)), "edtTitle");
    edtTitle->setGeometry(16, 34, 185, 22);
    btnTitleOptions = Named(new QPushButton(QStringLiteral("F"), gbSiteInformation), "btnTitleOptions");
    btnTitleOptions->setGeometry(202, 34, 24, 22);
    lblBaseline = Label(gbSiteInformation, "lblBaseline", QStringLiteral("Baseline"), 16, 58, true);
    edtBaseline = Named(WholeValues(new QLineEdit(gbSiteInformation)), "edtBaseline");
    edtBaseline->setGeometry(16, 74, 185, 22);
    btnBaselineOptions = Named(new QPushButton(QStringLiteral("F"), gbSiteInformation), "btnBaselineOptions");
    btnBaselineOptions->setGeometry(202, 74, 24, 22);
    for (QPushButton *b : {btnTitleOptions, btnBaselineOptions})
        b->setToolTip(QStringLiteral("Edit font"));
    connect(btnTitleOptions, &QPushButton::clicked, this, &TfrmMain::btnTitleOptionsClick);
    connect(btnBaselineOptions, &QPushButton::clicked, this, &TfrmMain::btnBaselineOptionsClick);
    lblLogoImage = Label(gbSiteInformation, "lblLogoImage", QStringLiteral("Logo Image"), 16, 98, true);
    fraLogoImage = Named(new TfraFileEdit(FAppDir, gbSiteInformation), "fraLogoImage");
    fraLogoImage->setGeometry(10, 114, 213, 24);

    gbCustomizeMenuColor = Named(new QGroupBox(QStringLiteral("Customize Menu Color"), panLeft), "gbCustomizeMenuColor");
    gbCustomizeMenuColor->setGeometry(4, 148, 237, 120);
    MenuStringGrid = Named(new TMenuStateGrid(FDesign, gbCustomizeMenuColor), "MenuStringGrid");
    MenuStringGrid->setGeometry(10, 22, 188, 4 * TMenuStateGrid::RowHeight + 2);
    const std::pair<QPushButton **, const char *> fontButtons[] = {
        {&btnMainMenuNormal, "btnMainMenuNormal"}, {&btnMainMenuActive, "btnMainMenuActive"},
        {&btnSubMenuNormal, "btnSubMenuNormal"}, {&btnSubMenuActive, "btnSubMenuActive"}};
    int row = 0;
    for (const auto &[field, name] : fontButtons) {
        *field = Named(new QPushButton(QStringLiteral("F"), gbCustomizeMenuColor), name);
        (*field)->setGeometry(202, 23 + row++ * TMenuStateGrid::RowHeight, 24, TMenuStateGrid::RowHeight);
        (*field)->setToolTip(QStringLiteral("Edit font"));
        const int r = row - 1;
        connect(*field, &QPushButton::clicked, this, [this, r] { ButtonStateClick(r); });
    }

    gbBackground = Named(new QGroupBox(panLeft), "gbBackground");
    gbBackground->setGeometry(4, 272, 237, 64);
    imgBackgroundMusic = Named(new QLabel(gbBackground), "imgBackgroundMusic");
    imgBackgroundMusic->setPixmap(StdIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    imgBackgroundMusic->setGeometry(10, 12, 16, 16);
    lblBackgroundMusic = Label(gbBackground, "lblBackgroundMusic", QStringLiteral("Background Music"), 30, 12, true);
    fraBackgroundSound = Named(new TfraFileEdit(FAppDir, gbBackground), "fraBackgroundSound");
    fraBackgroundSound->setGeometry(10, 32, 213, 24);

    pcMenuDesignEtc = Named(new QTabWidget(tabFlashOptions), "pcMenuDesignEtc");
    SetAlign(pcMenuDesignEtc, TAlign::Client);
    tabMenuDesign = Named(new QWidget, "tabMenuDesign");
    AttachAligner(tabMenuDesign, QMargins(4, 4, 4, 4));
    tabAdvancedButtonStyle = Named(new QWidget, "tabAdvancedButtonStyle");
    pcMenuDesignEtc->addTab(tabMenuDesign, QStringLiteral("Button Style"));
    pcMenuDesignEtc->addTab(tabAdvancedButtonStyle, QStringLiteral("Advanced Button Style"));
    fraMenuButtonShortList1 = Named(
        new TfraMenuButtonShortList(FAppDir, [this] { return FDesign.IsHorizontal(); }, tabMenuDesign),
        "fraMenuButtonShortList1");
    SetAlign(fraMenuButtonShortList1, TAlign::Client);
    fraMenuButtonShortList1->OnOpenMore = [this] { a_OpenPreview->trigger(); };

    // Hidden for good; their values still reach the menu description.
    grbColorSelection = Named(new QGroupBox(QStringLiteral("Flash Background Color"), tabFlashOptions), "grbColorSelection");
    fraFlashBackgroundColor = Named(new TfraColorEdit(grbColorSelection), "fraFlashBackgroundColor");
    cgFlashColorPalette = Named(new TColorGrid(grbColorSelection), "cgFlashColorPalette");
    grbBackground = Named(new QGroupBox(QStringLiteral("Background"), tabFlashOptions), "grbBackground");
    fraBackgroundImage = Named(new TfraFileEdit(FAppDir, grbBackground), "fraBackgroundImage");
    tbBackgroundTrans = TrackBar(grbBackground, "tbBackgroundTrans", Qt::Horizontal, 100, 100);
    grbSound = Named(new QGroupBox(QStringLiteral("Menu Sounds"), tabFlashOptions), "grbSound");
    fraSoundOnRelease = Named(new TfraFileEdit(FAppDir, grbSound), "fraSoundOnRelease");
    fraOnRollOver = Named(new TfraFileEdit(FAppDir, grbSound), "fraOnRollOver");
    for (QGroupBox *g : {grbColorSelection, grbBackground, grbSound})
        g->hide();
}

void TfrmMain::CreateAdvancedPage()
{
    QWidget *page = tabAdvancedButtonStyle;
    rgrButtonSize = RadioGroup(page, "rgrButtonSize", QStringLiteral("Button Size"),
                               {QStringLiteral("Fixed"), QStringLiteral("Variable")}, QRect(8, 8, 120, 100));
    rgrMenuType = RadioGroup(page, "rgrMenuType", QStringLiteral("Button Type"),
                             {QStringLiteral("Flat"), QStringLiteral("3D"), QStringLiteral("Gradient")},
                             QRect(136, 8, 120, 100));
    rgTextAlign = RadioGroup(page, "rgTextAlign", QStringLiteral("Text Align To"),
                             {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")},
                             QRect(264, 8, 120, 100));
    rgTextAlign->hide();
    for (QGroupBox *g : {rgrButtonSize, rgrMenuType, rgTextAlign})
        for (QRadioButton *b : g->findChildren<QRadioButton *>())
            connect(b, &QRadioButton::clicked, this, &TfrmMain::ControlWasChangedEvent);

    gbMenuSpacing = Named(new QGroupBox(QStringLiteral("Menu Spacing"), page), "gbMenuSpacing");
    gbMenuSpacing->setGeometry(264, 8, 220, 100);
    lblMenuSpacing = Label(gbMenuSpacing, "lblMenuSpacing", QString(), 12, 22);
    lblMenuSpacing->resize(190, 16);
    tbMenuSpacing = Named(new QSlider(Qt::Horizontal, gbMenuSpacing), "tbMenuSpacing");
    tbMenuSpacing->setRange(0, 100);
    tbMenuSpacing->setValue(5);
    tbMenuSpacing->setSingleStep(5);
    tbMenuSpacing->setPageStep(5);
    tbMenuSpacing->setTickInterval(5);
    tbMenuSpacing->setTickPosition(QSlider::TicksBelow);
    tbMenuSpacing->setGeometry(8, 42, 200, 28);
    lblSpacingMin = Label(gbMenuSpacing, "lblSpacingMin", QStringLiteral("0"), 12, 74);
    lblSpacingMax = Label(gbMenuSpacing, "lblSpacingMax", QStringLiteral("100"), 186, 74);
    connect(tbMenuSpacing, &QSlider::valueChanged, this, &TfrmMain::tbMenuSpacingChange);

    cbAdjPos = Named(new QComboBox(pnlTopBrowser), "cbAdjPos");
    cbAdjPos->hide();
    connect(cbAdjPos, &QComboBox::activated, this, &TfrmMain::cbAdjPosChange);
}

void TfrmMain::CreateHtmlPage()
{
    scbHTMLSettings = Named(new QScrollArea(tabHTMLSettings), "scbHTMLSettings");
    scbHTMLSettings->setFrameStyle(QFrame::NoFrame);
    scbHTMLSettings->setWidgetResizable(true);
    scbHTMLSettings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pnlHTMLSettings = Named(new QWidget, "pnlHTMLSettings");
    scbHTMLSettings->setWidget(pnlHTMLSettings);
    auto *sheet = new QVBoxLayout(tabHTMLSettings);
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(scbHTMLSettings);
    QWidget *page = pnlHTMLSettings;
    grbHTMLColorSelection = Named(new QGroupBox(QStringLiteral("HTML Background Color"), page), "grbHTMLColorSelection");
    grbHTMLColorSelection->setGeometry(8, 8, 420, 86);
    lblCurrentColor = Label(grbHTMLColorSelection, "lblCurrentColor", QStringLiteral("Current Color"), 14, 22);
    fraHTMLBackgroundColor = Named(new TfraColorEdit(grbHTMLColorSelection), "fraHTMLBackgroundColor");
    fraHTMLBackgroundColor->setGeometry(14, 42, 120, 24);
    lblStandardPalette = Label(grbHTMLColorSelection, "lblStandardPalette", QStringLiteral("Standard Color Palette"), 170, 22);
    cgHTMLColorPalette = Named(new TColorGrid(grbHTMLColorSelection), "cgHTMLColorPalette");
    cgHTMLColorPalette->move(170, 40);
    connect(cgHTMLColorPalette, &TColorGrid::Change, this, &TfrmMain::cgHTMLColorPaletteClick);
    connect(cgFlashColorPalette, &TColorGrid::Change, this, &TfrmMain::cgFlashColorPaletteClick);

    lblHTMLSiteTitle = Label(page, "lblHTMLSiteTitle", QStringLiteral("Site Title"), 8, 102);
    editTitle = Named(WholeValues(new QLineEdit(page)), "editTitle");
    editTitle->setGeometry(8, 118, 420, 22);
    connect(editTitle, &QLineEdit::textEdited, this, &TfrmMain::HtmlPageTextChanged);

    grpMetaTags = Named(new QGroupBox(QStringLiteral("META Tags"), page), "grpMetaTags");
    grpMetaTags->move(8, 144);
    lblMeta = Label(grpMetaTags, "lblMeta",
                    QStringLiteral("Search engines read these key words and this description of your site."), 12, 16);
    lblMetaKeywords = Label(grpMetaTags, "lblMetaKeywords", QStringLiteral("META Keywords"), 12, 38);
    pnlMetaKeyWords = Named(new QFrame(grpMetaTags), "pnlMetaKeyWords");
    pnlMetaKeyWords->setGeometry(8, 56, 2 * 150 + 12, 6 * 25);
    for (int i = 0; i < 12; ++i) {
        auto *edit = WholeValues(new QLineEdit(pnlMetaKeyWords));
        edit->setObjectName(QStringLiteral("editKey%1").arg(i + 1));
        edit->setGeometry(4 + (i / 6) * 154, (i % 6) * 25, 150, 22);
        connect(edit, &QLineEdit::textEdited, this, &TfrmMain::HtmlPageTextChanged);
        editKeys[size_t(i)] = edit;
    }
    lblMetaDescription = Label(grpMetaTags, "lblMetaDescription", QStringLiteral("META Description"), 332, 58);
    memoDescription = Named(new QPlainTextEdit(grpMetaTags), "memoDescription");
    memoDescription->setTabChangesFocus(true);
    memoDescription->installEventFilter(this);
    connect(memoDescription, &QPlainTextEdit::textChanged, this, [this] {
        // At most 255 characters and no line breaks, as the page's META tag carries it.
        QString text = memoDescription->toPlainText();
        QString clean = text;
        clean.remove(QLatin1Char('\r'));
        clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
        clean.truncate(255);
        if (clean != text) {
            const QSignalBlocker block(memoDescription);
            memoDescription->setPlainText(clean);
            memoDescription->moveCursor(QTextCursor::End);
        }
        HtmlPageTextChanged();
    });
    LayoutHtmlPageHorizontal();
    pnlHTMLSettings->installEventFilter(this);
}

void TfrmMain::CreateBottomButtons()
{
    pnlButtons = Panel(centralWidget(), "pnlButtons", TAlign::Bottom, 38);
    panBottomButtons = Panel(pnlButtons, "panBottomButtons");
    const std::pair<QPushButton **, std::pair<const char *, QAction *>> buttons[] = {
        {&btnSave, {"btnSave", a_Save}},       {&btnPublish, {"btnPublish", a_Publish}},
        {&btnRefresh, {"btnRefresh", a_Refresh}}, {&btnPreview, {"btnPreview", a_Preview}},
        {&btnClose, {"btnClose", a_Exit}},
    };
    const char *hints[] = {"Save project", "Publish your project", "Refresh current preview", "Preview in browser", ""};
    int x = 0, i = 0;
    for (const auto &[field, item] : buttons) {
        QAction *action = item.second;
        *field = Named(new QPushButton(action->icon(), action->text(), panBottomButtons), item.first);
        (*field)->setGeometry(x, 4, 100, 27);
        (*field)->setToolTip(QString::fromLatin1(hints[i++]));
        (*field)->setAutoDefault(false);
        connect(*field, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, *field, &QWidget::setEnabled);
        x += 108;
    }
    panBottomButtons->resize(x - 8, 34);
}
