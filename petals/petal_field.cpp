#include "petals/petal_field.h"

#include "petals/random.h"

#include <cstdlib>
#include <utility>

namespace tavrin::petals {

PetalField::PetalField(Random& random) : m_random(random) {}

void PetalField::setTemplates(std::vector<Petal> templates) {
    m_templates = std::move(templates);
    for (Petal& t : m_templates)
        t.x = t.y = 0;
}

void PetalField::setScreenSize(int width, int height) {
    m_width = width;
    m_height = height;
}

Petal PetalField::randomTemplate() {
    const int k = randomInt(m_random, 1, static_cast<int>(m_templates.size()));
    if (m_templates.empty())
        return {};
    return m_templates[static_cast<std::size_t>(k - 1)];
}

void PetalField::scatterFirstPetals() {
    m_random.reseed();
    for (int i = 1; i <= firstPetals; ++i) {
        Petal p = randomTemplate();
        p.x = randomInt(m_random, 0, m_width);
        p.y = randomInt(m_random, 0, m_height);
        if (i > 1) {
            // The neighbour is the list's petal at position i - 1, which in a later
            // run is one carried over, not the one placed just before. Each check
            // runs once; a redrawn picture is not compared again.
            const Petal q = m_petals[static_cast<std::size_t>(i - 2)];
            if (p.picture == q.picture) {
                p = randomTemplate();
                p.x = randomInt(m_random, 0, m_width);
                p.y = randomInt(m_random, 0, m_height);
            }
            if (std::abs(p.x - q.x) < p.width)
                p.x = randomInt(m_random, 0, m_width);
            if (std::abs(p.y - q.y) < p.height)
                p.y = randomInt(m_random, 0, m_height);
        }
        m_petals.push_back(p);
    }
}

void PetalField::spawn(int count) {
    m_random.reseed();
    for (int i = 0; i < count; ++i) {
        Petal p = randomTemplate();
        p.x = randomInt(m_random, 0, m_width);
        const int r = randomInt(m_random, 1, m_height);
        p.y = -p.height - r;
        m_petals.push_back(p);
    }
}

void PetalField::advanceTick() {
    // Last to first, so that a removal shifts only petals already moved.
    for (auto k = m_petals.size(); k-- > 0;) {
        m_petals[k].y += fallPerTick;
        if (m_petals[k].y > m_height)
            m_petals.erase(m_petals.begin() + static_cast<std::ptrdiff_t>(k));
    }
    spawn(targetPetals - static_cast<int>(m_petals.size()));
}

void PetalField::addPetalAt(int x, int y) {
    m_random.reseed();
    Petal p = randomTemplate();
    // Computed as reals and truncated toward zero: 10 - 133 / 2 gives -56.
    p.x = static_cast<int>(x - p.width / 2.0);
    p.y = static_cast<int>(y - p.height / 2.0);
    m_petals.push_back(p);
}

} // namespace tavrin::petals
