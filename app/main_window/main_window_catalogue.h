#pragma once

#include "app/widgets/control_entry.h"

namespace tavrin {

// The main window "禾岫股价监控" as designed: every control, the popup menu
// "菜单" and the client rectangle.
const WindowDesign& mainWindowDesign();

} // namespace tavrin
