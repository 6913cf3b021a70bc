#pragma once

namespace tavrin {

// Registers the embedded pictures (and the sound clips, where built) with Qt's
// resource system. A static library's resources are dropped by the linker
// unless something references them; call this once before the first use.
void initAssets();

} // namespace tavrin
