#include "uMain.h"

#include "Errors.h"
#include "Messages.h"
#include "Paths.h"
#include "Trans.h"
#include "uGlobal.h"
#include "uProgramStart.h"
#include "uSettings.h"
#include "unitSecureReminder.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWebEngineView>

TfrmMain::TfrmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), FAppDir(programFolder), FDesign(programFolder, this), FPreview(FDesign, FPageOptions, *this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvanar"));
    resize(1024, 720);

    WebBrowser = new QWebEngineView(this);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    WebBrowser->setContextMenuPolicy(Qt::NoContextMenu);
    setCentralWidget(WebBrowser);
    FBrowserPane = std::make_unique<WebBrowserPane>(WebBrowser);

    timerRefresh = new QTimer(this);
    timerRefresh->setObjectName(QStringLiteral("timerRefresh"));
    timerRefresh->setInterval(1500);
    timerRefresh->setSingleShot(true);
    connect(timerRefresh, &QTimer::timeout, this, [this] { RefreshPreview(); });

    FormCreate();
}

void TfrmMain::FormCreate()
{
    WindowsVersionName = GetWindowsVersionName();
    InitVersionInfo();
    CreateMenus();
    LanguageList = ListLanguages(FAppDir + QStringLiteral("Lang/"));
    BuildLanguageMenu(miLanguage, LanguageList, [this](QAction *item) { LanguageClick(item); });
    HorzTop.clear();
    VertTop.clear();
    HorzTopSpec.clear();
    VertTopSpec.clear();
    ReadPathOptions(FAppDir, Options);
    ReadMenuListOptions(FAppDir, Options);
    FDesign.FLoading = 1;
    InitLanguage();
    RunAction([this] { FDesign.ResetToBlankProject(); });
    const QString language = ReadLanguageSetting(FAppDir);
    if (!language.isEmpty())
        LanguageName = language;
    ApplyLanguage(FAppDir, {[this] { return FDesign.IsModified(); }, [this](bool m) { FDesign.SetModified(m); },
                            [this] { ApplyLanguageToWindow(); }});
    CheckCurrentLanguageItem(this);
    FDesign.SetModified(false);
    FDesign.FLoading = 0;
}

TfrmMain::~TfrmMain()
{
    // The on-top lists are kept only when one of the two options asks for them.
    if (Options.RecentButtonsOnTop || Options.LatestButtonsOnTop)
        WriteOnTopLists(FAppDir, Options);
    FDesign.SetHost(nullptr);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    SaveSettingsOnClose();
    event->accept();
}

void TfrmMain::SaveSettingsOnClose()
{
    WriteLanguageSetting(FAppDir, LanguageName);
    WriteOptions(FAppDir, Options);
}

void TfrmMain::ApplyLanguageToWindow()
{
    TranslateForm(this, objectName());
    ApplyLanguageFont(this, LanguageName);
}

void TfrmMain::LanguageClick(QAction *item)
{
    RunAction([this, item] {
        SelectLanguage(FAppDir, item, this,
                       {[this] { return FDesign.IsModified(); }, [this](bool m) { FDesign.SetModified(m); },
                        [this] { ApplyLanguageToWindow(); }});
    });
}

void TfrmMain::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("miFile"));
    a_Preview = file->addAction(QStringLiteral("Previe&w"), this, &TfrmMain::a_PreviewExecute);
    a_Preview->setObjectName(QStringLiteral("a_Preview"));
    file->addSeparator();
    QAction *exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("miExit"));

    miLanguage = menuBar()->addMenu(QStringLiteral("&Language"));
    miLanguage->setObjectName(QStringLiteral("miLanguage"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("miHelp"));
    help->addAction(QStringLiteral("Online User Guide"), this, &TfrmMain::miUserGuideClick)
        ->setObjectName(QStringLiteral("miUserGuide"));
    help->addAction(QStringLiteral("Contact Support"), this, &TfrmMain::miSupportClick)
        ->setObjectName(QStringLiteral("miSupport"));
    help->addAction(QStringLiteral("Online Template Library"), this, &TfrmMain::miH_MB1Click)
        ->setObjectName(QStringLiteral("miH_MB1"));
}

void TfrmMain::RunAction(const std::function<void()> &action)
{
    try {
        action();
    } catch (...) {
        ShowHandlerError(std::current_exception());
    }
}

void TfrmMain::RefreshPreview()
{
    RunAction([this] { FPreview.RefreshPreview(); });
}

void TfrmMain::ReadHtmlOptions(const QString &file)
{
    ::ReadHtmlOptions(file, FPageOptions);
}

void TfrmMain::NavigateBrowser(const QString &file)
{
    FBrowserPane->Navigate(file);
}

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

void TfrmMain::a_PreviewExecute()
{
    RunAction([this] { FPreview.a_PreviewExecute(); });
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
