#pragma once

namespace tavrin::petals {

// One falling petal: its picture (0 = none), top-left corner in screen pixels
// and size, which is always its picture's own size.
struct Petal {
    int picture = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Petal&) const = default;
};

} // namespace tavrin::petals
