#include "app/delivery/clip_player.h"

#include "assets/assets_init.h"

#include <QCoreApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tavrin {

ClipPlayer::ClipPlayer(QObject* parent) : QObject(parent) {
    initAssets();
}

bool ClipPlayer::isReady(Sound sound) const {
    const ClipBackend* clip = m_effects.at(static_cast<size_t>(sound));
    return clip && clip->isReady();
}

bool ClipPlayer::isPlaying(Sound sound) const {
    const ClipBackend* clip = m_effects.at(static_cast<size_t>(sound));
    return clip && clip->isPlaying();
}

void ClipPlayer::play(Sound sound) {
    const auto index = static_cast<size_t>(sound);
    if (index >= m_effects.size())
        return;
    ++m_playCount;
    // Loaded, and each clip made, on first use, so that a session without alerts
    // neither loads the sound libraries nor opens the audio device.
    if (!m_moduleLoaded) {
        m_moduleLoaded = true;
        m_createClip = loadClipModule(QCoreApplication::applicationDirPath());
    }
    if (!m_createClip)
        return;
    if (!m_effects[index])
        m_effects[index] = m_createClip(QUrl(u"qrc"_s + soundResourcePath(sound)), this);
    m_effects[index]->play();
}

} // namespace tavrin
