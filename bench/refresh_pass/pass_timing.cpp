#include "bench/refresh_pass/bench_modes.h"
#include "bench/refresh_pass/bench_support.h"
#include "monitor/monitoring_cycle.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tavrin::bench {

// One refresh pass (no alert check) of lists of 10, 100 and 500 stocks: wall time,
// requests, the longest stall of the UI thread's event loop, and the sequential
// baseline (one request after another) measured in the same run.
int runPassTiming(int latencyMs) {
    QuoteSimProcess sim({u"--latency-ms"_s, QString::number(latencyMs), u"--extra-stocks"_s, u"2000"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    std::printf("latency %d ms per request\n", latencyMs);
    std::printf("%6s %12s %9s %14s %16s %10s\n", "stocks", "pass (s)", "requests", "max stall (ms)",
                "sequential (s)", "requests");

    for (int size : {10, 100, 500}) {
        WatchListModel model;
        model.fill(watchList(size));
        QTimer monitorTimer;
        QTimer colourTimer;
        MonitoringCycle cycle(model, monitorTimer, colourTimer, makeWorker(sim.baseUrl(), {}));

        // A 1 ms heartbeat on the UI thread: the longest gap between beats is the stall.
        QElapsedTimer sinceBeat;
        qint64 longestStallNs = 0;
        QTimer heartbeat;
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] {
            longestStallNs = std::max(longestStallNs, sinceBeat.nsecsElapsed());
            sinceBeat.restart();
        });

        QEventLoop loop;
        QObject::connect(&cycle, &MonitoringCycle::passApplied, &loop, &QEventLoop::quit);
        sim.admin(u"/admin/stats/reset"_s);
        QElapsedTimer pass;
        heartbeat.start();
        sinceBeat.start();
        pass.start();
        cycle.refreshNow();
        loop.exec();
        const double passSeconds = pass.nsecsElapsed() / 1e9;
        heartbeat.stop();
        const QByteArray passRequests = quoteRequests(sim);

        CurlHttpClient http;
        const QuoteFetcher fetcher(http, sim.baseUrl());
        sim.admin(u"/admin/stats/reset"_s);
        QElapsedTimer sequential;
        sequential.start();
        for (int r = 0; r < model.rowCount(); ++r)
            fetcher.fetch(model.cell(r, WatchListModel::Code));
        const double sequentialSeconds = sequential.nsecsElapsed() / 1e9;

        std::printf("%6d %12.3f %9s %14.1f %16.3f %10s\n", size, passSeconds, passRequests.constData(),
                    longestStallNs / 1e6, sequentialSeconds, quoteRequests(sim).constData());
    }
    return 0;
}

} // namespace tavrin::bench
