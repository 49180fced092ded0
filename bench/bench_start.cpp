// Start to the first window shown: the program against a bare web view window showing a page,
// both started the same way under the same X display (run it under Xvfb, see README). Each is
// started in turn; the time runs from the start of the process to the X server's first map of a
// top-level window, and the resident memory is read at that moment.
//   bench_start <program> [rounds]       measures
//   bench_start --bare                   is the reference window
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QWebEngineView>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

int Bare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(955, 728);
    view.setHtml(QStringLiteral("<html><body><p>page</p></body></html>"));
    view.show();
    return app.exec();
}

long ResidentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct Sample {
    double ms;
    long kib;
};

// Starts the program and waits for the first top-level window the X server maps.
Sample Measure(xcb_connection_t *x, const QString &program, const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    Sample s{-1, 0};
    while (s.ms < 0) {
        xcb_generic_event_t *event = xcb_wait_for_event(x);
        if (!event)
            break;
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            s.ms = double(timer.nsecsElapsed()) / 1e6;
            s.kib = ResidentKiB(child.processId());
        }
        std::free(event);
    }
    child.kill();
    child.waitForFinished(-1);
    return s;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return Bare(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_start <program> [rounds]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<double> programMs, bareMs, programKiB, bareKiB;
    for (int round = 0; round < rounds; ++round) {
        const Sample p = Measure(x, QString::fromLocal8Bit(argv[1]), {});
        const Sample b = Measure(x, QCoreApplication::applicationFilePath(), {QStringLiteral("--bare")});
        programMs.push_back(p.ms);
        programKiB.push_back(double(p.kib));
        bareMs.push_back(b.ms);
        bareKiB.push_back(double(b.kib));
    }
    std::printf("| what (median of %d starts, bench_start) | program | bare web view window | ratio |\n|---|---|---|---|\n",
                rounds);
    std::printf("| start to the first window shown | %.0f ms | %.0f ms | %.2f |\n", Median(programMs), Median(bareMs),
                Median(programMs) / Median(bareMs));
    std::printf("| resident memory then | %.0f MiB | %.0f MiB | %.2f |\n", Median(programKiB) / 1024,
                Median(bareKiB) / 1024, Median(programKiB) / Median(bareKiB));
    xcb_disconnect(x);
    return 0;
}
