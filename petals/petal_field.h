#pragma once

#include "petals/petal.h"

#include <QtGlobal>
#include <vector>

namespace tavrin::petals {

class Random;

// The petals falling over a W x H screen: how they are scattered, spawned,
// moved and dropped. The list outlives a run; templates are never moved.
class PetalField {
public:
    static constexpr int firstPetals = 6;
    static constexpr int targetPetals = 20;
    static constexpr int fallPerTick = 5;

    explicit PetalField(Random& random);
    Q_DISABLE_COPY_MOVE(PetalField)

    // New petals are copies of these (picture, width, height; placed at 0, 0).
    void setTemplates(std::vector<Petal> templates);
    void setScreenSize(int width, int height);

    // Six petals with their top-left corners on the screen, appended to the list.
    void scatterFirstPetals();
    // count petals wholly above the top edge; nothing when count < 1.
    void spawn(int count);
    // Every petal falls; those whose top edge passed the bottom edge go; the
    // list is topped up to the target.
    void advanceTick();
    // One petal centred on the point, even when the target is reached.
    void addPetalAt(int x, int y);

    const std::vector<Petal>& petals() const { return m_petals; }
    int screenWidth() const { return m_width; }
    int screenHeight() const { return m_height; }

private:
    Petal randomTemplate();

    Random& m_random;
    std::vector<Petal> m_templates;
    std::vector<Petal> m_petals;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tavrin::petals
