#pragma once

namespace tavrin {

// The current version text, shown by the about window and compared by the update check.
inline constexpr char currentVersionText[] = "2.43";

} // namespace tavrin
