#include "app/petals_command/petals_command.h"

#include "app/delivery/message_sink.h"
#include "app/petals_command/load_failure_message.h"

namespace tavrin {

PetalsCommand::PetalsCommand(std::unique_ptr<EffectLoader> loader, MessageSink& messages)
    : m_loader(std::move(loader)), m_messages(messages) {}

void PetalsCommand::trigger(bool optionTicked) {
    if (!optionTicked)
        return;
    if (!m_rose) {
        LoadedEffect loaded = m_loader->load();
        if (!loaded.rose) {
            m_messages.show(loadFailureMessage(loaded));
            return;
        }
        m_rose = std::move(loaded.rose);
    }
    // Its result says only whether a run took place; nothing here depends on it.
    m_rose();
}

} // namespace tavrin
