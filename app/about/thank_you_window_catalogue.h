#pragma once

#include "app/widgets/control_entry.h"

namespace tavrin {

// The thank-you window as designed: empty caption, one picture box.
const WindowDesign& thankYouWindowDesign();

} // namespace tavrin
