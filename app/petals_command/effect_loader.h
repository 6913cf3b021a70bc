#pragma once

#include <QString>
#include <functional>

namespace tavrin {

enum class LoadFailure { None, LibraryMissing, LibraryUnusable, ExportMissing };

// What one attempt to bind the petals effect gave.
struct LoadedEffect {
    // 玫瑰花: one effect run, returning when the user ends it. Empty when not bound.
    std::function<int()> rose{};
    LoadFailure failure = LoadFailure::None;
    // The library a failure is about: the file name looked for, or the path of the file found.
    QString library{};
    // Where the library was looked for first (LibraryMissing).
    QString folder{};
    // The system's own words on why the file found would not load (LibraryUnusable).
    QString reason{};
};

// Finds the petals library and its export. The command asks again after a
// failure, so a later attempt may succeed.
class EffectLoader {
public:
    virtual ~EffectLoader() = default;
    virtual LoadedEffect load() = 0;
};

} // namespace tavrin
