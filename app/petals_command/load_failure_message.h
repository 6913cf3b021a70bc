#pragma once

#include "app/delivery/message_sink.h"
#include "app/petals_command/effect_loader.h"

namespace tavrin {

// The error box of a failed load: it names the library file and the export 玫瑰花,
// and says that monitoring goes on.
Message loadFailureMessage(const LoadedEffect& failed);

} // namespace tavrin
