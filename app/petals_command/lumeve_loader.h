#pragma once

#include "app/petals_command/effect_loader.h"

#include <QLibrary>
#include <QString>

namespace tavrin {

// The library file as the platform names it: libLumeve.so, Lumeve.dll.
QString lumeveFileName();
// 玫瑰花 in GBK, the name the library exports its effect under.
inline constexpr char roseExportName[] = "\xC3\xB5\xB9\xE5\xBB\xA8";

// Binds 玫瑰花 of the Lumeve library: the file in the given folder first, then the
// system's library search. A bound library stays loaded for the rest of the process.
class LumeveLoader final : public EffectLoader {
public:
    // An empty folder means the program's own folder.
    explicit LumeveLoader(QString folder = {});
    Q_DISABLE_COPY_MOVE(LumeveLoader)

    LoadedEffect load() override;

private:
    QString m_folder;
    QLibrary m_library;
};

} // namespace tavrin
