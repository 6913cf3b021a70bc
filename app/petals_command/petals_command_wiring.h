#pragma once

namespace tavrin {

class MainWindow;
class PetalsCommand;

inline constexpr int menuSettleMs = 150;

// Connects the menu command "玫瑰花屏保" to the command, which reads the option
// box 选择框_玫瑰花屏保 at the moment of every click. A ticked click runs the effect
// menuSettleMs later. The command must outlive the window's menu.
void connectPetalsCommand(const MainWindow& window, PetalsCommand& command);

} // namespace tavrin
