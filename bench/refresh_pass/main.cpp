// One refresh pass of watch lists of 10, 100 and 500 stocks against the local
// simulator with a latency per request:
//   bench_refresh_pass [latency-ms=20]
// For each size: wall time of the pass, requests sent, the longest stall of the UI
// thread's event loop during it, and the sequential baseline (one request after
// another) measured in the same run.
#include "monitor/monitoring_cycle.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tests/support/quote_sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

using namespace tavrin;

namespace {

// Distinct codes: the simulator's generated stocks 605000, 003000, 605001, ...
std::vector<StockRecord> watchList(int size) {
    std::vector<StockRecord> records;
    for (int i = 0; i < size; ++i) {
        StockRecord record;
        record.id = QString::number(i + 1);
        record.daima =
            QStringLiteral("%1%2").arg(i % 2 == 0 ? u"605" : u"003").arg(i / 2, 3, 10, QLatin1Char('0'));
        record.mingcheng = record.daima;
        record.cjjg = QStringLiteral("10");
        record.cjsl = QStringLiteral("100");
        records.push_back(record);
    }
    return records;
}

QByteArray quoteRequests(QuoteSimProcess& sim) {
    const QByteArray stats = sim.admin(QStringLiteral("/admin/stats"));
    const qsizetype at = stats.indexOf("quote_requests=");
    return at < 0 ? QByteArray("?") : stats.mid(at + 15, stats.indexOf('\n', at) - at - 15);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int latency = argc > 1 ? std::atoi(argv[1]) : 20;
    if (qEnvironmentVariableIsEmpty("TAVRIN_QUOTE_SIM"))
        qputenv("TAVRIN_QUOTE_SIM",
                (QCoreApplication::applicationDirPath() + QStringLiteral("/quote-sim")).toUtf8());
    QuoteSimProcess sim({QStringLiteral("--latency-ms"), QString::number(latency),
                         QStringLiteral("--extra-stocks"), QStringLiteral("500")});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    std::printf("latency %d ms per request\n", latency);
    std::printf("%6s %12s %9s %14s %16s %10s\n", "stocks", "pass (s)", "requests", "max stall (ms)",
                "sequential (s)", "requests");

    for (int size : {10, 100, 500}) {
        WatchListModel model;
        model.fill(watchList(size));
        QTimer monitorTimer;
        QTimer colourTimer;
        MonitoringCycle cycle(model, monitorTimer, colourTimer,
                              std::make_unique<MonitoringWorker>(std::make_unique<CurlHttpClient>(),
                                                                 sim.baseUrl(),
                                                                 MonitoringWorker::AlertCheck{}));

        // A 1 ms heartbeat on the UI thread: the longest gap between beats is the stall.
        QElapsedTimer sinceBeat;
        qint64 longestStallNs = 0;
        QTimer heartbeat;
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, &app, [&] {
            longestStallNs = std::max(longestStallNs, sinceBeat.nsecsElapsed());
            sinceBeat.restart();
        });

        QEventLoop loop;
        QObject::connect(&cycle, &MonitoringCycle::passApplied, &loop, &QEventLoop::quit);
        sim.admin(QStringLiteral("/admin/stats/reset"));
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
        sim.admin(QStringLiteral("/admin/stats/reset"));
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
