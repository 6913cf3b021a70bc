#include "bench/refresh_pass/bench_modes.h"
#include "bench/refresh_pass/bench_support.h"
#include "monitor/alert_rules.h"
#include "monitor/daily_log.h"
#include "monitor/monitoring_cycle.h"
#include "platform/gbk.h"
#include "store/watch_list_model.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tavrin::bench {

namespace {

class CountingNotifier final : public Notifier {
public:
    void showBalloon(const Balloon&) override { ++balloons; }
    std::atomic<int> balloons{0};
};

class CountingSounds final : public SoundPlayer {
public:
    void play(Sound) override { ++sounds; }
    std::atomic<int> sounds{0};
};

// The state a list of added stocks leaves, then filler entries up to fillMb.
QByteArray stateFileBytes(const std::vector<StockRecord>& records, double fillMb) {
    QString text = u"[股票时间]\r\n"_s;
    for (const StockRecord& record : records)
        text += record.mingcheng + u"=3\r\n"_s;
    text += u"[下跌预警]\r\n"_s;
    for (const StockRecord& record : records)
        text += record.mingcheng + u"下跌预警=真\r\n"_s;
    QByteArray bytes = gbk::encode(text);
    const qsizetype target = static_cast<qsizetype>(fillMb * 1024 * 1024);
    if (bytes.size() < target) {
        bytes += gbk::encode(u"[备注]\r\n"_s);
        QByteArray filler;
        for (int i = 0; bytes.size() + filler.size() < target; ++i)
            filler += gbk::encode(u"旧记录%1=没有用处的一些文字 %1\r\n"_s.arg(i));
        bytes += filler;
    }
    return bytes;
}

qsizetype lineCount(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
}

std::vector<AlertRow> alertRows(const RowSnapshots& rows) {
    std::vector<AlertRow> alertRows;
    alertRows.reserve(rows.size());
    for (const RowSnapshot& row : rows)
        alertRows.push_back({row.name, row.price, row.change, row.profit, row.alertPrice, row.alertKind});
    return alertRows;
}

} // namespace

// Monitoring ticks of a long list with the real alert check over a real state file
// and log: the time of the alert check and of the whole pass, per tick.
int runAlertCheckTiming(int rowCount, double fillMb, int ticks) {
    QuoteSimProcess sim({u"--extra-stocks"_s, u"2000"_s, u"--step-ms"_s, u"200"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(u"log"_s);
    const std::vector<StockRecord> records = watchList(rowCount);
    const QString statePath = dir.filePath(u"gupiao.ini"_s);
    {
        QFile file(statePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(stateFileBytes(records, fillMb)) < 0)
            return 1;
    }
    std::printf("%d rows, state file %.1f MB (%lld lines) at the start\n", rowCount,
                QFile(statePath).size() / 1048576.0, static_cast<long long>(lineCount(statePath)));

    Profile stateFile(statePath);
    AlertStateStore state(stateFile);
    SystemClock clock;
    DailyLog log(dir.path(), clock);
    CountingNotifier notifier;
    CountingSounds sounds;
    AlertRules rules(state, notifier, sounds, log);
    std::atomic<qint64> checkNs{0};
    auto check = [&](const RowSnapshots& rows) {
        QElapsedTimer timer;
        timer.start();
        rules.check(alertRows(rows), AlertOptions{});
        checkNs = timer.nsecsElapsed();
    };

    WatchListModel model;
    model.fill(records);
    QTimer monitorTimer;
    QTimer colourTimer;
    MonitoringCycle cycle(model, monitorTimer, colourTimer, makeWorker(sim.baseUrl(), check));
    std::printf("%5s %16s %10s %12s %14s\n", "tick", "alert check (s)", "pass (s)", "state (MB)",
                "peak RSS (MB)");
    for (int tick = 1; tick <= ticks; ++tick) {
        QEventLoop loop;
        const auto done = QObject::connect(&cycle, &MonitoringCycle::passApplied, &loop, &QEventLoop::quit);
        QElapsedTimer pass;
        pass.start();
        cycle.tick();
        loop.exec();
        QObject::disconnect(done);
        std::printf("%5d %16.3f %10.3f %12.1f %14.0f\n", tick, checkNs.load() / 1e9,
                    pass.nsecsElapsed() / 1e9, QFile(statePath).size() / 1048576.0, peakResidentMb());
    }
    std::printf("state file %lld lines at the end; %d balloons, %d sounds\n",
                static_cast<long long>(lineCount(statePath)), notifier.balloons.load(), sounds.sounds.load());
    return 0;
}

} // namespace tavrin::bench
