#include "app/delivery/clip_player.h"

#include "assets/assets_init.h"

#include <QSoundEffect>
#include <QUrl>

namespace tavrin {

ClipPlayer::ClipPlayer(QObject* parent) : QObject(parent) {
    initAssets();
}

bool ClipPlayer::isReady(Sound sound) const {
    const QSoundEffect* effect = m_effects.at(static_cast<size_t>(sound));
    return effect && effect->status() == QSoundEffect::Ready;
}

bool ClipPlayer::isPlaying(Sound sound) const {
    const QSoundEffect* effect = m_effects.at(static_cast<size_t>(sound));
    return effect && effect->isPlaying();
}

void ClipPlayer::play(Sound sound) {
    const auto index = static_cast<size_t>(sound);
    if (index >= m_effects.size())
        return;
    // Created on first use, so that a session without alerts never opens the audio device.
    if (!m_effects[index]) {
        m_effects[index] = new QSoundEffect(this);
        m_effects[index]->setSource(QUrl(QStringLiteral("qrc") + soundResourcePath(sound)));
    }
    m_effects[index]->play();
    ++m_playCount;
}

} // namespace tavrin
