#pragma once

#include "petals/random.h"

#include <QString>
#include <deque>
#include <initializer_list>

// Gives the scripted values first, then a fixed pseudo-random sequence; writes
// "R" for every reseed and "n" for every value taken, in order.
class ScriptedRandom final : public tavrin::petals::Random {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::initializer_list<std::uint32_t> values) : m_values(values) {}

    void reseed() override { m_events += u'R'; }
    std::uint32_t next() override {
        m_events += u'n';
        if (!m_values.empty()) {
            const std::uint32_t v = m_values.front();
            m_values.pop_front();
            return v;
        }
        m_state = m_state * 1103515245u + 12345u;
        return m_state >> 1;
    }

    void script(std::initializer_list<std::uint32_t> values) { m_values.insert(m_values.end(), values); }
    const QString& events() const { return m_events; }
    void clearEvents() { m_events.clear(); }

private:
    std::deque<std::uint32_t> m_values;
    std::uint32_t m_state = 12345u;
    QString m_events;
};
