#include "app/delivery/clip_player_backend.h"

#include <QDir>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace tavrin {

QString clipModuleName() {
    return u"tavrin_clip_sound"_s;
}

CreateClipFunction loadClipModule(const QString& folder) {
    // Never unloaded: the clips it made live until their player goes.
    QLibrary module(QDir(folder).filePath(clipModuleName()));
    auto entry = reinterpret_cast<CreateClipFunction>(module.resolve(createClipSymbol));
    if (!entry)
        qWarning("Tavrin: no alert sounds: %s", qPrintable(module.errorString()));
    return entry;
}

} // namespace tavrin
