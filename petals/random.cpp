#include "petals/random.h"

#include <chrono>

namespace tavrin::petals {

void SystemRandom::reseed() {
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    m_engine.seed(static_cast<std::uint32_t>(ticks.count()) + m_offset++);
}

std::uint32_t SystemRandom::next() {
    return static_cast<std::uint32_t>(m_engine());
}

int randomInt(Random& random, int min, int max) {
    const std::uint32_t r = random.next();
    if (max < min)
        return min;
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(max) - min + 1);
    return static_cast<int>(min + static_cast<std::int64_t>(r % span));
}

} // namespace tavrin::petals
