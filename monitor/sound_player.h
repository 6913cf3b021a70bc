#pragma once

#include <QString>

namespace tavrin {

enum class Sound { Rising, Falling, Target };

// The clip of a sound in the resources (assets/sounds/sounds.qrc), e.g. ":/sounds/rising.wav".
QString soundResourcePath(Sound sound);

// Plays a clip once without waiting for its end. Implementations belong to the
// thread that owns the audio objects; callers elsewhere go through QueuedAlertSink.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(Sound sound) = 0;
};

} // namespace tavrin
