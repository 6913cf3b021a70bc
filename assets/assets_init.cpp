#include "assets/assets_init.h"

#include <QtCore/qresource.h>
#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerAssetResources() {
    Q_INIT_RESOURCE(assets);
#ifdef TAVRIN_HAVE_SOUNDS
    Q_INIT_RESOURCE(sounds);
#endif
}

namespace tavrin {

void initAssets() {
    static std::once_flag once;
    std::call_once(once, registerAssetResources);
}

} // namespace tavrin
