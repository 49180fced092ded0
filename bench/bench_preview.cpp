// One full preview refresh (description built and saved, page options and menu page written) for a
// design of 5,000 entries, on a program folder with the shipped templates, against building and
// reading back the same design's description in the same run.
#include "BenchDesign.h"
#include "BenchRatio.h"
#include "BrowserPane.h"
#include "uHtmlOptions.h"
#include "uPreview.h"

namespace {

BENCHMARK(BM_BuildAndReadBack)->Unit(benchmark::kMillisecond);

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

void BM_RefreshPreview(benchmark::State &state)
{
    QTemporaryDir dir;
    CopyBenchTemplates(dir.path());
    QDir().mkpath(dir.path() + QStringLiteral("/MenuPreview"));
    TMenuDesign d(dir.path() + QLatin1Char('/'));
    FillBenchDesign(d);
    d.SetNoProject(false);
    THtmlPageOptions page;
    BenchHost host;
    TPreviewSet preview(d, page, host);
    preview.RefreshPreview();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EditBenchDesign(d, ++round);
        state.ResumeTiming();
        preview.RefreshPreview();
    }
    state.counters["xml_bytes"] = double(QFileInfo(dir.path() + QStringLiteral("/MenuPreview/flashmenu.xml")).size());
}
BENCHMARK(BM_RefreshPreview)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWithRatios(argc, argv, {{"BM_RefreshPreview", "BM_BuildAndReadBack"}});
}
