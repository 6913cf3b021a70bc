#pragma once

namespace tavrin {

// A difference counts as up above this, as down below its negative, and as no
// change in between; every comparison of prices and profits uses it.
inline constexpr double directionThreshold = 0.0000001;

} // namespace tavrin
