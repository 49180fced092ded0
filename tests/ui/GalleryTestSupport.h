#pragma once
// A recording browser pane for the dialogs, installed for one scope, and a folder of shipped
// templates to run the galleries on.
#include "GalleryInterim.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

class RecordingPane : public BrowserPane {
public:
    explicit RecordingPane(QWidget *widget) : m_widget(widget) {}
    void Navigate(const QString &target) override { navigations << target; }
    QSize Size() const override { return m_widget->size(); }
    QStringList navigations;

private:
    QWidget *m_widget;
};

// Every dialog made in the scope gets a plain widget of the given size and a recording pane.
class FakeDialogBrowsers {
public:
    explicit FakeDialogBrowsers(QSize size = QSize(700, 170))
    {
        m_previous = SetDialogBrowserMaker([this, size](QWidget *parent) {
            TDialogBrowser b;
            b.Widget = new QWidget(parent);
            b.Widget->setFixedSize(size);
            auto pane = std::make_unique<RecordingPane>(b.Widget);
            last = pane.get();
            b.Pane = std::move(pane);
            return b;
        });
    }
    ~FakeDialogBrowsers() { SetDialogBrowserMaker(m_previous); }
    RecordingPane *last = nullptr;

private:
    DialogBrowserMaker m_previous;
};

// A program folder holding the shipped Templates/ with empty work folders.
inline void CopyShippedTemplatesTo(const TempFolder &prog)
{
    CopyTree(ShippedDataDir() + "Templates", prog.file("Templates"));
    for (const char *folder : {"MenuPreview/flashmenu", "Templates/Preview/flashmenu"})
        QDir().mkpath(prog.file(folder));
}

// Runs the event loop until the condition holds or the time is up; returns the condition.
template <typename F>
bool WaitUntil(F condition, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QTest::qWait(10);
    return condition();
}
