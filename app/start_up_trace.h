#pragma once

class QWidget;

namespace tavrin {

class MonitoringCycle;

// With TAVRIN_STARTUP_TRACE set, prints to stderr "first-paint <ms>" once the main
// window's first paint pass is done and "first-refresh <ms>" once the first refresh
// pass is applied to the list, then nothing more. Milliseconds count from the launch
// time the variable gives as "t0=<steady-clock ns>", else from the program's first code.
void traceStartUp(QWidget& mainWindow, MonitoringCycle& monitoring);

} // namespace tavrin
