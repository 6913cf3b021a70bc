// A long run of the monitoring cycle against the local simulator:
//   bench_soak [passes=20000] [tick-ms=25]
// 500 distinct stocks, the alert check on a real gupiao.ini, the daily log in a
// temporary folder, the refresh and colour passes on a real model. The simulator
// moves one step per pass (as the market moves between two 3 s ticks), and cycles
// through its faults, each for a phase of passes followed by a clean phase.
// Prints resident memory after the warm-up and at the end, the UI thread's CPU per
// pass, the sizes of the state file and the log, and a day's log extrapolated.
#include "bench/soak/counting_log.h"
#include "bench/soak/fault_schedule.h"
#include "bench/soak/probes.h"
#include "monitor/alert_rules.h"
#include "monitor/alert_state.h"
#include "monitor/alert_state_store.h"
#include "monitor/daily_log.h"
#include "monitor/monitoring_cycle.h"
#include "monitor/queued_alert_sink.h"
#include "monitor/row_snapshot.h"
#include "platform/curl_http_client.h"
#include "platform/profile.h"
#include "store/watch_list_model.h"
#include "tests/support/quote_sim_process.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

using namespace tavrin;
using namespace Qt::StringLiterals;

namespace {

constexpr int kStocks = 500;
constexpr int kPhasePasses = 20;
// A hang lasts as long as the transfer limit allows.
constexpr long kTransferLimitMs = 250;

class CountingNotifier final : public Notifier {
public:
    void showBalloon(const Balloon&) override { ++balloons; }
    std::int64_t balloons = 0;
};

class CountingPlayer final : public SoundPlayer {
public:
    void play(Sound) override { ++sounds; }
    std::int64_t sounds = 0;
};

// The simulator's generated stocks 605000, 003000, 605001, ...; every tenth row
// carries a target alert, every other one counts falls too.
std::vector<StockRecord> watchList() {
    std::vector<StockRecord> records;
    for (int i = 0; i < kStocks; ++i) {
        StockRecord record;
        record.id = QString::number(i + 1);
        record.daima = (i % 2 == 0 ? u"605"_s : u"003"_s) + u"%1"_s.arg(i / 2, 3, 10, QLatin1Char('0'));
        record.mingcheng = u"股票"_s + record.daima;
        record.cjjg = u"10"_s;
        record.cjsl = u"100"_s;
        if (i % 10 == 0) {
            record.yjjg = u"1"_s;
            record.yjnr = u"上涨到"_s;
        }
        records.push_back(record);
    }
    return records;
}

std::vector<AlertRow> alertRows(const RowSnapshots& rows) {
    std::vector<AlertRow> alertRows;
    alertRows.reserve(rows.size());
    for (const RowSnapshot& row : rows)
        alertRows.push_back({row.name, row.price, row.change, row.profit, row.alertPrice, row.alertKind});
    return alertRows;
}

qint64 folderBytes(const QString& path) {
    qint64 bytes = 0;
    QDirIterator files(path, QDir::Files);
    while (files.hasNext())
        bytes += QFileInfo(files.next()).size();
    return bytes;
}

struct Sample {
    int passes = 0;
    long rssKib = 0;
    std::int64_t handlerNs = 0;
    std::int64_t uiThreadNs = 0;
    std::int64_t processNs = 0;
    std::int64_t events = 0;
    std::int64_t colourNs = 0;
    std::int64_t colourPasses = 0;
    qint64 wallMs = 0;
};

} // namespace

int main(int argc, char** argv) {
    soak::TimedApplication app(argc, argv);
    // Progress lines show as they come, also into a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int totalPasses = argc > 1 ? std::max(10, std::atoi(argv[1])) : 20000;
    const int tickMs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 25;
    const int warmUpPasses = std::min(500, totalPasses / 10);
    if (qEnvironmentVariableIsEmpty("TAVRIN_QUOTE_SIM"))
        qputenv("TAVRIN_QUOTE_SIM", (QCoreApplication::applicationDirPath() + u"/quote-sim"_s).toUtf8());

    QuoteSimProcess sim(
        {u"--extra-stocks"_s, QString::number(kStocks), u"--step-ms"_s, u"0"_s, u"--seed"_s, u"11"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    QTemporaryDir data;
    if (!data.isValid() || !QDir(data.path()).mkdir(u"log"_s)) {
        std::fprintf(stderr, "no temporary data folder\n");
        return 1;
    }

    const std::vector<StockRecord> records = watchList();
    Profile state(data.filePath(u"gupiao.ini"_s));
    for (std::size_t i = 0; i < records.size(); ++i)
        writeStockAdded(state, records[i].mingcheng, u"3", i % 2 == 0);

    SystemClock clock;
    DailyLog dailyLog(data.path(), clock);
    soak::CountingLog log(dailyLog);
    CountingNotifier notifier;
    CountingPlayer player;
    QueuedAlertSink alertSink(notifier, player);
    AlertStateStore stateStore(state);
    AlertRules rules(stateStore, alertSink, alertSink, log);

    WatchListModel model;
    model.fill(records);
    QTimer monitorTimer;
    QTimer colourTimer;
    std::atomic<int> garbled{0};
    // The colour timer's handlers run in the order connected: these two bracket the cycle's
    // colour pass, which at a fast tick runs more often than once a pass.
    std::int64_t colourStartNs = 0;
    std::int64_t colourNs = 0;
    std::int64_t colourPasses = 0;
    QObject::connect(&colourTimer, &QTimer::timeout, &app, [&] { colourStartNs = soak::threadCpuNs(); });
    {
        auto worker = std::make_unique<MonitoringWorker>(
            std::make_unique<CurlHttpClient>(HttpLimits{kTransferLimitMs, kTransferLimitMs}), sim.baseUrl(),
            [&rules](const RowSnapshots& rows) { rules.check(alertRows(rows), AlertOptions{}); });
        auto cycle = std::make_unique<MonitoringCycle>(model, monitorTimer, colourTimer, std::move(worker));
        QObject::connect(&colourTimer, &QTimer::timeout, &app, [&] {
            colourNs += soak::threadCpuNs() - colourStartNs;
            ++colourPasses;
        });

        soak::AdminChannel admin([&sim](const QString& path) { sim.admin(path); });
        std::vector<QString> someCodes;
        for (int i = 0; i < kStocks; i += 50)
            someCodes.push_back(records[std::size_t(i)].daima);
        const std::vector<soak::FaultStep> faults = soak::faultCycle(someCodes);

        QEventLoop loop;
        QElapsedTimer wall;
        Sample warm;
        Sample end;
        int passes = 0;
        int faultedPasses = 0;
        bool faulted = false;
        const auto sample = [&] {
            return Sample{passes,
                          soak::residentKib(),
                          app.handlerCpuNs(),
                          soak::threadCpuNs(),
                          soak::processCpuNs(),
                          app.handledEvents(),
                          colourNs,
                          colourPasses,
                          wall.elapsed()};
        };
        QObject::connect(cycle.get(), &MonitoringCycle::garbledReply, &app, [&garbled] { ++garbled; });
        QObject::connect(cycle.get(), &MonitoringCycle::passApplied, &app, [&](int) {
            ++passes;
            faultedPasses += faulted ? 1 : 0;
            // A phase of a fault, then a clean one; the next fault after that.
            if (passes % kPhasePasses == 0) {
                const int phase = passes / kPhasePasses;
                faulted = phase % 2 == 1;
                admin.post(u"/admin/clear"_s);
                if (faulted)
                    admin.post(faults[std::size_t(phase / 2) % faults.size()].setPath);
                log.setFaulted(faulted);
            }
            admin.post(u"/admin/step"_s);
            if (passes == warmUpPasses)
                warm = sample();
            if (passes % std::max(1, totalPasses / 10) == 0)
                std::printf("  %6d passes  %7.1f s  VmRSS %ld KiB  skipped ticks %d\n", passes,
                            wall.elapsed() / 1000.0, soak::residentKib(), cycle->skippedTicks());
            if (passes == totalPasses) {
                end = sample();
                cycle->stopTimers();
                loop.quit();
            }
        });

        std::printf("bench_soak: %d passes of %d stocks, tick %d ms, faults in phases of %d passes\n",
                    totalPasses, kStocks, tickMs, kPhasePasses);
        wall.start();
        setTimerPeriod(colourTimer, tickMs);
        setTimerPeriod(monitorTimer, tickMs);
        cycle->refreshNow();
        loop.exec();
        const int skipped = cycle->skippedTicks();
        cycle.reset();
        admin.drain();

        const int measured = end.passes - warm.passes;
        const auto perPassMs = [measured](std::int64_t ns) { return ns / 1e6 / measured; };
        std::printf("\nwall %.1f s, %.2f ms per pass; %d ticks skipped; %d passes under a fault; "
                    "%d garbled-reply signals\n",
                    end.wallMs / 1000.0, double(end.wallMs) / end.passes, skipped, faultedPasses,
                    garbled.load());
        std::printf("VmRSS after %d warm-up passes: %ld KiB; at the end: %ld KiB; growth %+ld KiB\n",
                    warm.passes, warm.rssKib, end.rssKib, end.rssKib - warm.rssKib);
        std::printf("UI-thread CPU per pass (passes %d..%d):\n", warm.passes, end.passes);
        std::printf("  event handlers (thread CPU around each UI-thread event): %.3f ms (%.1f events/pass)\n",
                    perPassMs(end.handlerNs - warm.handlerNs), double(end.events - warm.events) / measured);
        std::printf("  whole UI thread, event loop included:                   %.3f ms\n",
                    perPassMs(end.uiThreadNs - warm.uiThreadNs));
        std::printf("  whole process (worker, curl, alert check; upper bound): %.3f ms\n",
                    perPassMs(end.processNs - warm.processNs));
        const std::int64_t colourRuns = end.colourPasses - warm.colourPasses;
        const double colourMs = colourRuns > 0 ? (end.colourNs - warm.colourNs) / 1e6 / colourRuns : 0.0;
        const double handlersMs = perPassMs(end.handlerNs - warm.handlerNs);
        const double otherMs = handlersMs - perPassMs(end.colourNs - warm.colourNs);
        std::printf(
            "  of the handlers: colour pass %.3f ms a run (%.2f runs/pass at this tick), the rest %.3f ms\n",
            colourMs, double(colourRuns) / measured, otherMs);
        // The real timers share one period: one colour pass for each refresh pass.
        const double extraColourMs = colourMs * (double(colourRuns) / measured - 1.0);
        std::printf(
            "  at one colour pass per pass, as at equal periods:      %.3f ms handlers, %.3f ms whole "
            "thread\n",
            otherMs + colourMs, perPassMs(end.uiThreadNs - warm.uiThreadNs) - extraColourMs);
        std::printf("alerts delivered on the UI thread: %lld balloons, %lld sounds\n",
                    static_cast<long long>(notifier.balloons), static_cast<long long>(player.sounds));

        const qint64 stateBytes = QFileInfo(state.path()).size();
        const qint64 logBytes = folderBytes(data.filePath(u"log"_s));
        const soak::CountingLog::Counts total = log.total();
        const soak::CountingLog::Counts clean = log.clean();
        const int cleanPasses = end.passes - faultedPasses;
        std::printf("state file %lld bytes; log %lld bytes, %lld lines, %lld of them moves\n",
                    static_cast<long long>(stateBytes), static_cast<long long>(logBytes),
                    static_cast<long long>(total.lines), static_cast<long long>(total.moves));
        if (total.lines > 0 && cleanPasses > 0) {
            const double bytesPerLine = double(logBytes) / double(total.lines);
            const double linesPerPass = double(clean.lines) / cleanPasses;
            const double movesPerPass = double(clean.moves) / cleanPasses;
            constexpr int dayPasses = 4 * 3600 * 1000 / MonitoringCycle::kPeriodMs;
            std::printf(
                "%.1f bytes per line; clean passes: %.1f lines and %.1f moves per pass of %d stocks\n",
                bytesPerLine, linesPerPass, movesPerPass, kStocks);
            for (int stocks : {100, 500}) {
                const double scale = double(stocks) / kStocks * dayPasses * bytesPerLine;
                std::printf("a day (%d passes) of %d stocks: %.1f MB as logged now, %.1f MB at one line per "
                            "move\n",
                            dayPasses, stocks, linesPerPass * scale / 1e6, movesPerPass * scale / 1e6);
            }
        }
    }
    return 0;
}
