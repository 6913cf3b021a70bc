#pragma once

#include "platform/profile.h"

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace tavrin {

// The alert state of the run. It lives in gupiao.ini while the file can be read
// and saved. From the first time it cannot (a folder or a locked file in its
// place, no room, no rights), the state lives in memory for the rest of the run,
// starting from what the file last held: alerts keep working, their counters are
// just not kept, and the file is left as it is, so nothing in it is lost.
// Safe from any thread: everything happens under the file's lock.
class AlertStateStore {
public:
    explicit AlertStateStore(Profile& file);
    Q_DISABLE_COPY_MOVE(AlertStateStore)

    // Runs edit on the state: the file read once and, if anything changed, saved
    // once; or the state in memory. True when the state went to the file.
    bool edit(const std::function<void(ProfileEditor&)>& edit);

    bool inMemory() const;
    // True exactly once per run: at the first call after the state moved to memory.
    // Whoever gets it tells the user.
    bool takeWarning();

    const QString& path() const { return m_file.path(); }

private:
    Profile& m_file;
    std::optional<ProfileEditor> m_memory;
    QByteArray m_lastKnown; // the file's bytes as last read or saved
    bool m_warned = false;
};

} // namespace tavrin
