#pragma once

#include "app/petals_command/effect_loader.h"

#include <QString>
#include <QtGlobal>

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
    Q_DISABLE_COPY_MOVE(FakeEffectLoader)

    LoadedEffect load() override {
        using namespace Qt::StringLiterals;
        ++m_calls.loads;
        LoadedEffect loaded{.failure = m_failure, .library = u"libLumeve.so"_s};
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
