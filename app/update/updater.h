#pragma once

#include <QString>

namespace tavrin {

// The updater program in the program's directory: 自动更新.exe on Windows,
// 自动更新 elsewhere.
QString updaterPath(const QString& programDirectory);

enum class UpdaterStart { Started, Missing, Failed };

// Starts the updater as a process of its own, without arguments, and returns at
// once; the program goes on running.
UpdaterStart startUpdater(const QString& path);

} // namespace tavrin
