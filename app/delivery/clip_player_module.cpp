// The sound module: the alert clips through Qt Multimedia, which only this module links.
#include "app/delivery/clip_player_backend.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffectClip final : public tavrin::ClipBackend {
public:
    SoundEffectClip(const QUrl& source, QObject* parent)
        : ClipBackend(parent), m_effect(new QSoundEffect(this)) {
        m_effect->setSource(source);
    }

    void play() override { m_effect->play(); }
    bool isReady() const override { return m_effect->status() == QSoundEffect::Ready; }
    bool isPlaying() const override { return m_effect->isPlaying(); }

private:
    QSoundEffect* m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT tavrin::ClipBackend* tavrinCreateClip(const QUrl& source, QObject* parent) {
    return new SoundEffectClip(source, parent);
}
