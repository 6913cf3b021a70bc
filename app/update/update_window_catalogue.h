#pragma once

#include "app/widgets/control_entry.h"

namespace tavrin {

// The update window as designed (no caption text), apart from its multi-line
// summary box, which the catalogue builder has no kind for.
const WindowDesign& updateWindowDesign();

// Where the multi-line summary box "编辑框1" sits.
inline constexpr QRect updateSummaryBoxRect{12, 80, 288, 80};

} // namespace tavrin
