#include "WebBrowserPane.h"

#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

WebBrowserPane::WebBrowserPane(QWebEngineView *view) : m_view(view)
{
    // The menu player reads flashmenu.xml beside the page; nothing in the preview needs the network.
    QWebEngineSettings *s = m_view->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
}

void WebBrowserPane::Navigate(const QString &target)
{
    if (m_held) {
        m_pending = target;
        return;
    }
    if (target.startsWith(QLatin1String("about:")))
        m_view->setUrl(QUrl(target));
    else
        m_view->setUrl(QUrl::fromLocalFile(target));
}

void WebBrowserPane::Release()
{
    m_held = false;
    if (!m_pending.isEmpty())
        Navigate(std::exchange(m_pending, QString()));
}

QSize WebBrowserPane::Size() const
{
    return m_view->size();
}
