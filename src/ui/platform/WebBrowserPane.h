#pragma once
#include "BrowserPane.h"

#include <QString>

class QWebEngineView;

// The preview pane of the main window: a QWebEngineView whose local pages may read the files beside them.
class WebBrowserPane : public BrowserPane {
public:
    explicit WebBrowserPane(QWebEngineView *view);
    void Navigate(const QString &target) override;
    QSize Size() const override;
    QWebEngineView *View() const { return m_view; }
    // While held, only the last target is kept; Release goes there. A window holds its first page
    // until it is on screen, so that loading it does not delay the window.
    void Hold() { m_held = true; }
    void Release();

private:
    QWebEngineView *m_view;
    bool m_held = false;
    QString m_pending;
};
