#pragma once

#include "app/petals_command/effect_loader.h"

#include <QString>

namespace tavrin::test {

// What a fake loader was asked and what its effect did, kept by the test
// because the command owns the loader.
struct EffectCalls {
    int loads = 0;
    int runs = 0;
};

// Binds a counting effect, or fails the way it is told to.
class FakeEffectLoader final : public EffectLoader {
public:
    FakeEffectLoader(EffectCalls& calls, LoadFailure failure) : m_calls(calls), m_failure(failure) {}

    LoadedEffect load() override {
        ++m_calls.loads;
        LoadedEffect loaded{.failure = m_failure, .library = QStringLiteral("libLumeve.so")};
        if (m_failure == LoadFailure::None)
            loaded.rose = [&calls = m_calls] {
                ++calls.runs;
                return 0;
            };
        return loaded;
    }

private:
    EffectCalls& m_calls;
    LoadFailure m_failure;
};

} // namespace tavrin::test
