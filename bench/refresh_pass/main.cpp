// Monitoring pass figures against the local simulator:
//   bench_refresh_pass [latency-ms=20]            refresh passes of 10, 100, 500 stocks
//   bench_refresh_pass alerts [rows=10000] [fill-MB=0] [ticks=4]
//                                                 ticks with the alert check over a real state file
//   bench_refresh_pass hang [seconds=60]          one code of five held by the service
//   bench_refresh_pass slow [seconds=60]          every answer takes 4 s
//   bench_refresh_pass huge-cell [seconds=10]     a 1 MB row in a table view during refreshes
#include "bench/refresh_pass/bench_modes.h"
#include "bench/refresh_pass/bench_support.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>

using namespace tavrin::bench;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    findQuoteSim();
    const char* mode = argc > 1 ? argv[1] : "";
    const auto number = [&](int i, double fallback) { return argc > i ? std::atof(argv[i]) : fallback; };
    if (std::strcmp(mode, "alerts") == 0)
        return runAlertCheckTiming(int(number(2, 10000)), number(3, 0), int(number(4, 4)));
    if (std::strcmp(mode, "hang") == 0)
        return runStalledService(Stall::HungCode, int(number(2, 60)));
    if (std::strcmp(mode, "slow") == 0)
        return runStalledService(Stall::SlowService, int(number(2, 60)));
    if (std::strcmp(mode, "huge-cell") == 0)
        return runHugeCell(int(number(2, 10)));
    return runPassTiming(int(number(1, 20)));
}
