#pragma once

namespace tavrin::petals {

class EffectRun;
class PetalField;

// What runRoseEffect gives back.
enum RunResult : int {
    RunEnded = 0,
    // A run is going already, there is no QApplication, the caller is not on
    // its thread, or there is no screen: nothing was shown.
    RunRefused = 1,
};

// One effect run over the primary screen, on the caller's thread, returning when
// the user ends it. Uses the caller's QApplication.
int runRoseEffect();

// Opens the effect menu at the cursor during a run; does nothing outside one.
void popUpEffectMenu();

// The library-wide state, for tests.
EffectRun* currentEffectRun();
PetalField& libraryPetalField();

} // namespace tavrin::petals
