#pragma once
// A recording browser pane for the dialogs, installed for one scope, and a folder of shipped
// templates to run the galleries on.
#include "GalleryShared.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <memory>

// Records where it was sent and reports a fixed size.
class RecordingPane : public BrowserPane {
public:
    explicit RecordingPane(QSize size) : size(size) {}
    void Navigate(const QString &target) override { visits << target; }
    QSize Size() const override { return size; }
    QStringList visits;
    QSize size;
};

// Every dialog made in the scope gets a recording pane of the size given (read when it is made).
class FakeBrowserPanes {
public:
    explicit FakeBrowserPanes(QSize size = QSize(700, 170)) : size(size)
    {
        m_previous = SetBrowserPaneFactory([this](QWidget *) {
            auto pane = std::make_unique<RecordingPane>(this->size);
            last = pane.get();
            return pane;
        });
    }
    ~FakeBrowserPanes() { SetBrowserPaneFactory(m_previous); }
    FakeBrowserPanes(const FakeBrowserPanes &) = delete;
    FakeBrowserPanes &operator=(const FakeBrowserPanes &) = delete;
    QSize size;
    RecordingPane *last = nullptr;

private:
    BrowserPaneFactory m_previous;
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
