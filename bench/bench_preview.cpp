// One full preview refresh (description built and saved, page options and menu page written) for a
// design of 5,000 entries, on a program folder with the shipped templates.
#include "BenchDesign.h"
#include "BrowserPane.h"
#include "uHtmlOptions.h"
#include "uPreview.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoPane : public BrowserPane {
public:
    void Navigate(const QString &) override {}
    QSize Size() const override { return {800, 300}; }
};

class BenchHost : public IPreviewHost {
public:
    NoPane pane;
    BrowserPane *Browser() override { return &pane; }
};

void CopyTemplates(const QString &to)
{
    const QString from = QStringLiteral(TOLVANAR_DATA_DIR "/Templates");
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QStringLiteral("/Templates") + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

void BM_RefreshPreview(benchmark::State &state)
{
    QTemporaryDir dir;
    CopyTemplates(dir.path());
    QDir().mkpath(dir.path() + QStringLiteral("/MenuPreview"));
    TMenuDesign d(dir.path() + QLatin1Char('/'));
    FillBenchDesign(d);
    d.SetNoProject(false);
    THtmlPageOptions page;
    BenchHost host;
    TPreviewSet preview(d, page, host);
    for (auto _ : state)
        preview.RefreshPreview();
    state.counters["xml_bytes"] = double(QFileInfo(dir.path() + QStringLiteral("/MenuPreview/flashmenu.xml")).size());
}
BENCHMARK(BM_RefreshPreview)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
