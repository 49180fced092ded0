#pragma once
#include "BrowserPane.h"

class QWebEngineView;

// The preview pane of the main window: a QWebEngineView whose local pages may read the files beside them.
class WebBrowserPane : public BrowserPane {
public:
    explicit WebBrowserPane(QWebEngineView *view);
    void Navigate(const QString &target) override;
    QSize Size() const override;
    QWebEngineView *View() const { return m_view; }

private:
    QWebEngineView *m_view;
};
