// window_walk: the summary window during a walk. Walks TREE RUNS times in the real window and,
// in turn, the same number of times without one, as report mode does, and prints the walk's
// seconds both ways, how often the progress display changed and its longest pause.
//
// usage: window_walk TREE [RUNS]   (a display is needed: run it under xvfb-run)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "census/scan.h"
#include "platform/volumes.h"
#include "summary/tallmere.h"
#include "ui/desktop_services.h"

namespace {

struct WindowWalk {
    double seconds = 0;
    double updatesPerSecond = 0;
    double longestPause = 0;  // seconds without a change of the progress display
    double pauseAt = 0;       // seconds into the walk when that pause began
};

double Seconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The longest time between two changes of the progress display, or before the first one,
// or after the last one; sets Walk's pause.
void FindLongestPause(std::vector<double> changes, WindowWalk& walk) {
    changes.push_back(walk.seconds);
    for (size_t i = 1; i < changes.size(); ++i) {
        if (changes[i] - changes[i - 1] <= walk.longestPause) continue;
        walk.longestPause = changes[i] - changes[i - 1];
        walk.pauseAt = changes[i - 1];
    }
}

WindowWalk WalkInWindow(const QByteArray& tree) {
    DesktopServices services;
    AppContext context;
    context.ProgramTitle = QStringLiteral("Tallmere32");
    context.services = services.Get();
    Tallmere window(context, Words{tree});
    QElapsedTimer clock;
    std::vector<double> changes{0};  // seconds since the walk began
    QObject::connect(window.findChild<QLineEdit*>(QStringLiteral("Text1")), &QLineEdit::textChanged,
                     [&] { changes.push_back(Seconds(clock)); });
    QEventLoop finished;
    QObject::connect(&window, &Tallmere::SummaryFinished, &finished, &QEventLoop::quit);
    clock.start();
    if (window.Form_Load() != Tallmere::Started::Shown) {
        std::fprintf(stderr, "window_walk: the summary window did not start\n");
        std::exit(1);
    }
    finished.exec();
    WindowWalk walk;
    walk.seconds = Seconds(clock);
    walk.updatesPerSecond = (changes.size() - 1) / walk.seconds;
    FindLongestPause(changes, walk);
    return walk;
}

double WalkWithoutWindow(const QByteArray& tree) {
    const std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
    QElapsedTimer clock;
    clock.start();
    ScanDirectories(StartDirectories(PlacesOfDirectory(tree), *volumes), DefaultScanThreads());
    return Seconds(clock);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_walk TREE [RUNS]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const QByteArray tree(argv[1]);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    std::vector<double> shown, hidden, rates;
    WindowWalk worst;
    WalkInWindow(tree);  // warms the caches
    for (int run = 0; run < runs; ++run) {
        const WindowWalk walk = WalkInWindow(tree);
        shown.push_back(walk.seconds);
        rates.push_back(walk.updatesPerSecond);
        if (walk.longestPause > worst.longestPause) worst = walk;
        hidden.push_back(WalkWithoutWindow(tree));
    }
    std::printf("walk in the window    median %.3f s, best %.3f s\n", Median(shown),
                *std::min_element(shown.begin(), shown.end()));
    std::printf("walk without window   median %.3f s, best %.3f s\n", Median(hidden),
                *std::min_element(hidden.begin(), hidden.end()));
    std::printf("window / no window    median %.3f, best %.3f\n", Median(shown) / Median(hidden),
                *std::min_element(shown.begin(), shown.end()) /
                    *std::min_element(hidden.begin(), hidden.end()));
    std::printf("progress updates      %.1f per second at least\n",
                *std::min_element(rates.begin(), rates.end()));
    std::printf("longest pause         %.0f ms, from %.3f s into a walk of %.3f s\n",
                1000 * worst.longestPause, worst.pauseAt, worst.seconds);
    return 0;
}
