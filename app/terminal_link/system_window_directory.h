#pragma once

#include "app/terminal_link/window_directory.h"

#include <memory>

namespace tavrin::terminal_link {

// The desktop this program runs on: Win32 on Windows, X11 where built with it
// (the display of $DISPLAY), otherwise a desktop without windows, on which every
// hand-off finds no terminal. Create one per hand-off or keep one; either is cheap.
std::unique_ptr<WindowDirectory> makeSystemWindowDirectory();

} // namespace tavrin::terminal_link
