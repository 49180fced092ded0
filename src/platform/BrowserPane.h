#pragma once
// The embedded browser pane as the lower layers see it: navigate to a local page, report its size.
// The program implements it with QWebEngineView; tests use a recording fake.
#include <QSize>
#include <QString>
#include <functional>

class BrowserPane {
public:
    virtual ~BrowserPane() = default;
    // A local file path, a single media file, or "about:blank".
    virtual void Navigate(const QString &target) = 0;
    virtual QSize Size() const = 0;
};

// Opens a local page in the desktop's browser, in a window of its own. Replaceable for tests.
using PageOpener = std::function<void(const QString &localPath)>;
PageOpener SetPageOpener(PageOpener opener);
void OpenPageInBrowser(const QString &localPath);
