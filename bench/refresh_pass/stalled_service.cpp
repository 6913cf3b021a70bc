#include "bench/refresh_pass/bench_modes.h"
#include "bench/refresh_pass/bench_support.h"
#include "monitor/monitoring_cycle.h"
#include "store/watch_list_model.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <map>
#include <mutex>

using namespace Qt::StringLiterals;

namespace tavrin::bench {

namespace {

const QStringList codes{u"600519"_s, u"600036"_s, u"000002"_s, u"300750"_s, u"601318"_s};
const QString hungCode = u"000002"_s;

std::vector<StockRecord> fiveStocks() {
    std::vector<StockRecord> records;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        StockRecord record;
        record.id = QString::number(i + 1);
        record.daima = codes[i];
        record.mingcheng = u"股票"_s + codes[i];
        records.push_back(record);
    }
    return records;
}

} // namespace

// Monitoring switched on at the real 3 s tick for a while, with one code of five held
// by the service (hang) or every answer taking 4 s: per code, how many ticks checked
// it and how many refreshes reached its row, and the longest wait between refreshes.
int runStalledService(Stall stall, int seconds) {
    // Prices move every 500 ms, so every refresh changes the volume cell.
    QuoteSimProcess sim({u"--step-ms"_s, u"500"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    if (stall == Stall::HungCode)
        sim.admin(u"/admin/fault?mode=hang&code="_s + hungCode);
    else
        sim.admin(u"/admin/fault?mode=latency&ms=4000"_s);

    std::mutex mutex;
    std::map<QString, int> checks;
    auto check = [&](const RowSnapshots& rows) {
        const std::lock_guard guard(mutex);
        for (const RowSnapshot& row : rows)
            ++checks[row.code];
    };
    WatchListModel model;
    model.fill(fiveStocks());
    QTimer monitorTimer;
    QTimer colourTimer;
    MonitoringCycle cycle(model, monitorTimer, colourTimer, makeWorker(sim.baseUrl(), check));

    QElapsedTimer clock;
    std::map<int, std::vector<double>> refreshedAt;
    QObject::connect(&model, &WatchListModel::dataChanged, &model,
                     [&](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                         if (topLeft.column() > WatchListModel::Volume ||
                             bottomRight.column() < WatchListModel::Volume)
                             return;
                         for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
                             refreshedAt[r].push_back(clock.nsecsElapsed() / 1e9);
                     });
    int ticks = 0;
    QObject::connect(&monitorTimer, &QTimer::timeout, &model, [&] { ++ticks; });

    clock.start();
    cycle.toggle(MonitoringCycle::offCaption());
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    cycle.stop();

    std::printf("%s, %d s of monitoring at the %d ms tick: %d ticks\n",
                stall == Stall::HungCode ? "hang on 000002" : "every answer 4 s", seconds,
                MonitoringCycle::kPeriodMs, ticks);
    std::printf("%8s %8s %11s %18s\n", "code", "checks", "refreshes", "longest wait (s)");
    for (int r = 0; r < model.rowCount(); ++r) {
        const QString code = model.cell(r, WatchListModel::Code);
        const std::vector<double>& times = refreshedAt[r];
        double longest = times.empty() ? seconds : times.front();
        for (size_t i = 1; i < times.size(); ++i)
            longest = std::max(longest, times[i] - times[i - 1]);
        if (!times.empty())
            longest = std::max(longest, seconds - times.back());
        const std::lock_guard guard(mutex);
        std::printf("%8s %8d %11zu %18.1f\n", qPrintable(code), checks[code], times.size(), longest);
    }
    return 0;
}

} // namespace tavrin::bench
