// Time from process start to the main window's first paint and to the first refresh
// applied to its list, with 0 and 500 stocks, against quote-sim on loopback, beside the
// same first-paint figure of a program that opens one empty window (the floor):
//   bench_start_up [runs=10]
// Runs under whatever QPA platform the environment gives (QT_QPA_PLATFORM, or xcb on
// $DISPLAY: run it under `xvfb-run -a`); both programs get the same one. The runs are
// interleaved so that the machine's noise falls on every figure alike.
#include "store/database_file.h"
#include "store/stock_database.h"
#include "tests/support/quote_sim_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tavrin;

namespace {

struct Trace {
    std::optional<double> paint;
    std::optional<double> refresh;
};

// Distinct codes the simulator generates with --extra-stocks: 605000, 003000, 605001, ...
bool seedDatabase(const QString& directory, int stocks) {
    const QString file = QDir(directory).filePath(u"Database.db"_s);
    if (!provisionDatabaseFile(file))
        return false;
    StockDatabase database;
    if (!database.open(file))
        return false;
    for (int i = 0; i < stocks; ++i) {
        const QString code = u"%1%2"_s.arg(i % 2 == 0 ? u"605" : u"003").arg(i / 2, 3, 10, QLatin1Char('0'));
        if (!database.append(NewStock{code, code, u"10"_s, u"100"_s}))
            return false;
    }
    return true;
}

// Starts the program, reads its trace lines until it has printed what it prints, then ends it.
Trace traceRun(const QString& program, const QProcessEnvironment& base, bool waitForRefresh) {
    QProcess process;
    QProcessEnvironment environment = base;
    const auto t0 = std::chrono::steady_clock::now().time_since_epoch();
    environment.insert(u"TAVRIN_STARTUP_TRACE"_s,
                       u"t0=%1"_s.arg(std::chrono::duration_cast<std::chrono::nanoseconds>(t0).count()));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {});
    Trace trace;
    QElapsedTimer limit;
    limit.start();
    QByteArray pending;
    while (limit.elapsed() < 20000 && (!trace.paint || (waitForRefresh && !trace.refresh))) {
        if (!process.waitForReadyRead(1000) && process.state() == QProcess::NotRunning)
            break;
        pending += process.readAllStandardError();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            const qsizetype space = line.indexOf(' ');
            bool ok = false;
            const double ms = line.mid(space + 1).toDouble(&ok);
            if (!ok || space < 0)
                continue;
            if (line.startsWith("first-paint "))
                trace.paint = ms;
            else if (line.startsWith("first-refresh "))
                trace.refresh = ms;
        }
    }
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
    return trace;
}

struct Figure {
    const char* name;
    std::vector<double> values;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printFigure(const Figure& figure, int runs) {
    if (figure.values.empty()) {
        std::printf("%-34s %8s %8s %8s   0/%d runs\n", figure.name, "-", "-", "-", runs);
        return;
    }
    const auto [low, high] = std::minmax_element(figure.values.begin(), figure.values.end());
    std::printf("%-34s %8.1f %8.1f %8.1f   %zu/%d runs\n", figure.name, *low, median(figure.values), *high,
                figure.values.size(), runs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (qEnvironmentVariableIsEmpty("TAVRIN_QUOTE_SIM"))
        qputenv("TAVRIN_QUOTE_SIM", QUOTE_SIM_BINARY);
    QuoteSimProcess sim({u"--extra-stocks"_s, u"500"_s});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }

    const std::vector<int> sizes{0, 500};
    std::map<int, QTemporaryDir> dataDirectories;
    for (int size : sizes) {
        if (!dataDirectories[size].isValid() || !seedDatabase(dataDirectories[size].path(), size)) {
            std::fprintf(stderr, "could not seed a database of %d stocks\n", size);
            return 1;
        }
    }

    const QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    const QString platform = base.contains(u"QT_QPA_PLATFORM"_s) ? base.value(u"QT_QPA_PLATFORM"_s)
                             : base.contains(u"DISPLAY"_s)
                                 ? u"xcb on DISPLAY=%1"_s.arg(base.value(u"DISPLAY"_s))
                                 : u"(default)"_s;
    std::printf("QPA platform: %s; %d runs each, interleaved, after one warm-up run each\n",
                qPrintable(platform), runs);

    const auto tavrinEnvironment = [&](int size) {
        QProcessEnvironment environment = base;
        environment.insert(u"TAVRIN_DATA_DIR"_s, dataDirectories[size].path());
        environment.insert(u"TAVRIN_QUOTE_URL"_s, sim.baseUrl());
        return environment;
    };

    Figure floorPaint{"floor: empty window, first paint", {}};
    std::map<int, Figure> paints{{0, {"Tavrin 0 stocks: first paint", {}}},
                                 {500, {"Tavrin 500 stocks: first paint", {}}}};
    std::map<int, Figure> refreshes{{0, {"Tavrin 0 stocks: first refresh", {}}},
                                    {500, {"Tavrin 500 stocks: first refresh", {}}}};
    std::map<int, Figure> afterPaint{{0, {"Tavrin 0 stocks: refresh - paint", {}}},
                                     {500, {"Tavrin 500 stocks: refresh - paint", {}}}};
    std::map<int, Figure> ratios{{0, {"Tavrin 0 stocks: paint / floor", {}}},
                                 {500, {"Tavrin 500 stocks: paint / floor", {}}}};

    for (int run = -1; run < runs; ++run) {
        const Trace floor = traceRun(QStringLiteral(FLOOR_BINARY), base, false);
        if (run >= 0 && floor.paint)
            floorPaint.values.push_back(*floor.paint);
        for (int size : sizes) {
            const Trace trace = traceRun(QStringLiteral(TAVRIN_BINARY), tavrinEnvironment(size), true);
            if (run < 0)
                continue;
            if (trace.paint) {
                paints[size].values.push_back(*trace.paint);
                if (floor.paint)
                    ratios[size].values.push_back(*trace.paint / *floor.paint);
            }
            if (trace.refresh)
                refreshes[size].values.push_back(*trace.refresh);
            if (trace.paint && trace.refresh)
                afterPaint[size].values.push_back(*trace.refresh - *trace.paint);
        }
    }

    std::printf("%-34s %8s %8s %8s\n", "ms since process start", "min", "median", "max");
    printFigure(floorPaint, runs);
    for (int size : sizes) {
        printFigure(paints[size], runs);
        printFigure(refreshes[size], runs);
        printFigure(afterPaint[size], runs);
    }
    std::printf("%-34s %8s %8s %8s   (per run, interleaved)\n", "ratios", "min", "median", "max");
    for (int size : sizes)
        printFigure(ratios[size], runs);
    if (!floorPaint.values.empty() && !paints[500].values.empty())
        std::printf("median paint / median floor: 0 stocks %.2f, 500 stocks %.2f (goal <= 1.5); "
                    "500 stocks refresh after paint %.1f ms (goal <= 300)\n",
                    median(paints[0].values) / median(floorPaint.values),
                    median(paints[500].values) / median(floorPaint.values),
                    afterPaint[500].values.empty() ? -1.0 : median(afterPaint[500].values));
    return 0;
}
