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

// Opens a local page in the desktop's browser, in a window of its own; false when the desktop
// cannot. Replaceable for tests.
using PageOpener = std::function<bool(const QString &localPath)>;
PageOpener SetPageOpener(PageOpener opener);
// A page the desktop cannot open is reported in an error box; false then.
bool OpenPageInBrowser(const QString &localPath);
