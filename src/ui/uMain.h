#pragma once
#include "WebBrowserPane.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QTimer;
class QWebEngineView;

// The designer's main window; it owns the design for the whole run.
class TfrmMain : public QMainWindow, public IDesignHost, public IPreviewHost {
    Q_OBJECT
public:
    explicit TfrmMain(const QString &programFolder, QWidget *parent = nullptr);
    ~TfrmMain() override;

    const QString &ProgramFolder() const { return FAppDir; }
    TMenuDesign &Design() { return FDesign; }
    THtmlPageOptions &PageOptions() { return FPageOptions; }
    TPreviewSet &Preview() { return FPreview; }

    // IDesignHost
    void RefreshPreview() override;
    void ReadHtmlOptions(const QString &file) override;
    void NavigateBrowser(const QString &file) override;

    // IPreviewHost
    BrowserPane *Browser() override { return FBrowserPane.get(); }
    void StopRefreshTimer() override;
    bool UseActiveContentJS() const override;
    bool ShowSecureReminder() const override;
    void SetShowSecureReminder(bool on) override;
    bool RunSecureReminder() override;

public slots:
    void a_PreviewExecute();
    void miUserGuideClick();
    void miSupportClick();
    void miH_MB1Click();
    void LanguageClick(QAction *item);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void SaveSettingsOnClose();
    // The window's part of a language change: its texts from the language file.
    void ApplyLanguageToWindow();
    void CreateMenus();
    // Runs a user action; a failure ends it and is shown in the error box.
    void RunAction(const std::function<void()> &action);

    QString FAppDir;
    TMenuDesign FDesign;
    THtmlPageOptions FPageOptions;
    TPreviewSet FPreview;
    QWebEngineView *WebBrowser = nullptr;
    std::unique_ptr<WebBrowserPane> FBrowserPane;
    QTimer *timerRefresh = nullptr;
    QAction *a_Preview = nullptr;
    QMenu *miLanguage = nullptr;
};
