#include "monitor/alert_state_store.h"

namespace tavrin {

AlertStateStore::AlertStateStore(Profile& file) : m_file(file) {}

bool AlertStateStore::edit(const std::function<void(ProfileEditor&)>& edit) {
    const auto guard = m_file.lock();
    if (!m_memory) {
        QByteArray content;
        if (m_file.load(content) == Profile::Load::Unreadable) {
            m_memory.emplace(m_lastKnown);
        } else {
            ProfileEditor editor(content);
            edit(editor);
            if (!editor.changed()) {
                m_lastKnown = content;
                return true;
            }
            const QByteArray saved = editor.content();
            if (m_file.save(saved)) {
                m_lastKnown = saved;
                return true;
            }
            // The edit stands: the run goes on from it.
            m_memory.emplace(std::move(editor));
            return false;
        }
    }
    edit(*m_memory);
    return false;
}

bool AlertStateStore::inMemory() const {
    const auto guard = m_file.lock();
    return m_memory.has_value();
}

bool AlertStateStore::takeWarning() {
    const auto guard = m_file.lock();
    if (!m_memory || m_warned)
        return false;
    m_warned = true;
    return true;
}

} // namespace tavrin
