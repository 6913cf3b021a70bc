#pragma once

#include <QtGlobal>
#include <cstdint>
#include <random>

namespace tavrin::petals {

// Where the petals' random numbers come from; tests put a scripted sequence here.
class Random {
public:
    virtual ~Random() = default;
    virtual void reseed() = 0;
    // A non-negative generator value.
    virtual std::uint32_t next() = 0;
};

// Reseeds from the steady clock's milliseconds plus a running offset, so that
// two reseeds within the same millisecond still differ.
class SystemRandom final : public Random {
public:
    SystemRandom() = default;
    Q_DISABLE_COPY_MOVE(SystemRandom)

    void reseed() override;
    std::uint32_t next() override;

private:
    std::mt19937 m_engine;
    std::uint32_t m_offset = 0;
};

// min + (r mod (max - min + 1)) for the next generator value r. A range with
// max < min gives min rather than a division by zero.
int randomInt(Random& random, int min, int max);

} // namespace tavrin::petals
