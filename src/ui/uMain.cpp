#include "uMain.h"

#include "Errors.h"
#include "Messages.h"
#include "uSettings.h"
#include "unitSecureReminder.h"

#include <QAction>
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

    CreateMenus();
    RunAction([this] { FDesign.ResetToBlankProject(); });
}

TfrmMain::~TfrmMain()
{
    FDesign.SetHost(nullptr);
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
    } catch (const Exception &e) {
        ShowMsgBox(e.Message(), mtError, mbOK);
    } catch (const std::exception &e) {
        ShowMsgBox(QString::fromUtf8(e.what()), mtError, mbOK);
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
