#pragma once

#include "app/control_spec.h"

namespace tavrin {

// The main window "禾岫股价监控" as designed: every control, the popup menu
// "菜单" and the client rectangle.
const WindowSpec& mainWindowSpec();

} // namespace tavrin
