#include "bench/refresh_pass/bench_modes.h"
#include "bench/refresh_pass/bench_support.h"
#include "monitor/colour_pass.h"
#include "monitor/monitoring_cycle.h"
#include "store/watch_list_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

namespace tavrin::bench {

// The watch list in a table view whose first rows hold a name, a code and a cost of
// 1 MB each, refreshed, recoloured and repainted whole (as when the window is
// uncovered) pass after pass: how long the UI thread stalls and how long a click
// on the list waits to be answered.
int runHugeCell(int seconds) {
    QuoteSimProcess sim({u"--extra-stocks"_s, u"100"_s, u"--step-ms"_s, u"200"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    std::vector<StockRecord> records = watchList(30);
    const QString huge = QString(512 * 1024, u'股');
    records[0].mingcheng = huge;
    records[1].daima = huge;
    records[2].cjjg = huge;

    WatchListModel model;
    model.fill(records);
    QTableView view;
    view.setModel(&model);
    view.setWordWrap(false);
    for (int c = 0; c < WatchListModel::columnTotal; ++c)
        view.setColumnWidth(c, WatchListModel::columnWidths()[static_cast<size_t>(c)]);
    view.resize(466, 219);
    view.show();

    QTimer monitorTimer;
    QTimer colourTimer;
    MonitoringCycle cycle(model, monitorTimer, colourTimer, makeWorker(sim.baseUrl(), {}));
    int passes = 0;
    // Each pass is followed by the colour pass, as the colour timer does while monitoring.
    QObject::connect(&cycle, &MonitoringCycle::passApplied, &view, [&] {
        ++passes;
        runColourPass(model);
        view.viewport()->update();
        cycle.refreshNow();
    });

    QElapsedTimer sinceBeat;
    qint64 longestStallNs = 0;
    QTimer heartbeat;
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, &view, [&] {
        longestStallNs = std::max(longestStallNs, sinceBeat.nsecsElapsed());
        sinceBeat.restart();
    });

    // A click posted every 100 ms from another thread, so that clicks also arrive
    // while the UI thread is busy; the wait runs from the post to the view's answer.
    QElapsedTimer clickClock;
    clickClock.start();
    std::mutex clickMutex;
    std::deque<qint64> posted;
    qint64 longestClickNs = 0;
    int clicks = 0;
    QObject::connect(&view, &QTableView::clicked, &view, [&] {
        const std::lock_guard guard(clickMutex);
        if (posted.empty())
            return;
        longestClickNs = std::max(longestClickNs, clickClock.nsecsElapsed() - posted.front());
        posted.pop_front();
        ++clicks;
    });
    const QPoint at = view.visualRect(model.index(5, 1)).center();
    const QPoint global = view.viewport()->mapToGlobal(at);
    std::atomic<bool> clicking{true};
    auto clicker = [&] {
        while (clicking.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::lock_guard guard(clickMutex);
            posted.push_back(clickClock.nsecsElapsed());
            QCoreApplication::postEvent(view.viewport(),
                                        new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(view.viewport(),
                                        new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        }
    };

    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    QElapsedTimer paint;
    paint.start();
    view.viewport()->repaint();
    const double paintMs = paint.nsecsElapsed() / 1e6;

    sinceBeat.start();
    heartbeat.start();
    std::thread clickThread(clicker);
    cycle.refreshNow();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    clicking = false;
    clickThread.join();
    std::printf("three 1 MB cells in 30 rows, %d s of back-to-back refresh passes: %d passes\n", seconds,
                passes);
    std::printf(
        "one full repaint %.1f ms; longest UI stall %.1f ms; %d clicks answered, longest wait %.1f ms\n",
        paintMs, longestStallNs / 1e6, clicks, longestClickNs / 1e6);
    return 0;
}

} // namespace tavrin::bench
