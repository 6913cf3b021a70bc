#pragma once

#include "app/petals_command/effect_loader.h"

#include <QtGlobal>
#include <functional>
#include <memory>

namespace tavrin {

class MessageSink;

// The menu command "玫瑰花屏保". While its option is off it does nothing at all;
// when on, it binds the effect at the first use, keeps it for the rest of the
// run and calls it, returning when the user ends the effect. A failed load is
// an error box; the program goes on.
class PetalsCommand {
public:
    PetalsCommand(std::unique_ptr<EffectLoader> loader, MessageSink& messages);
    Q_DISABLE_COPY_MOVE(PetalsCommand)

    void trigger(bool optionTicked);
    bool isBound() const { return bool(m_rose); }

private:
    std::unique_ptr<EffectLoader> m_loader;
    MessageSink& m_messages;
    std::function<int()> m_rose;
};

} // namespace tavrin
