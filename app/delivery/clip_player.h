#pragma once

#include "monitor/sound_player.h"

#include <QObject>
#include <array>

class QSoundEffect;

namespace tavrin {

// Plays the alert clips from the resources with Qt Multimedia, once each, without
// waiting. Without an audio device nothing is heard and nothing fails. UI thread only.
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
    std::array<QSoundEffect*, 3> m_effects{};
    int m_playCount = 0;
};

} // namespace tavrin
