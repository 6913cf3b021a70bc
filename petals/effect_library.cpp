#include "petals/effect_library.h"

#include "petals/effect_run.h"
#include "petals/petal_field.h"
#include "petals/petal_pictures.h"
#include "petals/random.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <optional>

namespace tavrin::petals {

namespace {

// One copy per process; the petal list and the pictures outlive a run.
struct LibraryState {
    SystemRandom random;
    PetalField field{random};
    std::optional<PetalPictures> pictures;
    EffectRun* run = nullptr;
};

LibraryState& state() {
    static LibraryState s;
    return s;
}

} // namespace

int runRoseEffect() {
    LibraryState& s = state();
    const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (s.run || !app || QThread::currentThread() != app->thread())
        return RunRefused;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return RunRefused;
    // Decoded once: petals carried over from a run keep pictures that stay valid.
    if (!s.pictures) {
        s.pictures = PetalPictures::embedded();
        s.field.setTemplates(s.pictures->templates());
    }

    EffectRun run(s.field, *s.pictures, *screen);
    s.run = &run;
    run.exec();
    s.run = nullptr;
    return RunEnded;
}

void popUpEffectMenu() {
    if (EffectRun* run = state().run)
        run->popUpMenuAtCursor();
}

EffectRun* currentEffectRun() {
    return state().run;
}

PetalField& libraryPetalField() {
    return state().field;
}

} // namespace tavrin::petals
