#include "monitor/sound_player.h"

namespace tavrin {

QString soundResourcePath(Sound sound) {
    switch (sound) {
    case Sound::Rising:
        return QStringLiteral(":/sounds/rising.wav");
    case Sound::Falling:
        return QStringLiteral(":/sounds/falling.wav");
    case Sound::Target:
        return QStringLiteral(":/sounds/target.wav");
    }
    return {};
}

} // namespace tavrin
