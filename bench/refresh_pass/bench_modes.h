#pragma once

#include "monitor/monitoring_worker.h"

#include <QString>
#include <memory>

namespace tavrin::bench {

// A monitoring worker built as the program builds it, against url.
std::unique_ptr<MonitoringWorker> makeWorker(const QString& url, MonitoringWorker::AlertCheck check);

int runPassTiming(int latencyMs);
int runAlertCheckTiming(int rows, double fillMb, int ticks);
enum class Stall { HungCode, SlowService };
int runStalledService(Stall stall, int seconds);
int runHugeCell(int seconds);

} // namespace tavrin::bench
