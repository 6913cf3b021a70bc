#pragma once

#include "app/widgets/control_entry.h"

namespace tavrin {

// The about window as designed: empty caption, a group with the version line and
// the picture, four buttons.
const WindowDesign& aboutWindowDesign();

} // namespace tavrin
