#pragma once

#include "app/delivery/clip_player_backend.h"
#include "monitor/sound_player.h"

#include <QObject>
#include <array>

namespace tavrin {

// Plays the alert clips from the resources once each, without waiting, through the
// sound module beside the program, loaded at the first play. Without the module or
// an audio device nothing is heard and nothing fails. UI thread only.
class ClipPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT

public:
    explicit ClipPlayer(QObject* parent = nullptr);
    void play(Sound sound) override;
    int playCount() const { return m_playCount; }
    // Whether the clip was loaded and can be heard (false before its first play).
    bool isReady(Sound sound) const;
    bool isPlaying(Sound sound) const;

private:
    std::array<ClipBackend*, 3> m_effects{};
    CreateClipFunction m_createClip = nullptr;
    bool m_moduleLoaded = false;
    int m_playCount = 0;
};

} // namespace tavrin
