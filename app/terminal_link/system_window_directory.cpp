#include "app/terminal_link/system_window_directory.h"

#if defined(_WIN32)
#include "app/terminal_link/win32_window_directory.h"
#elif defined(TAVRIN_TERMINAL_LINK_X11)
#include "app/terminal_link/x11_window_directory.h"
#else
#include "app/terminal_link/empty_window_directory.h"
#endif

namespace tavrin::terminal_link {

std::unique_ptr<WindowDirectory> makeSystemWindowDirectory() {
#if defined(_WIN32)
    return std::make_unique<Win32WindowDirectory>();
#elif defined(TAVRIN_TERMINAL_LINK_X11)
    return std::make_unique<X11WindowDirectory>();
#else
    return std::make_unique<EmptyWindowDirectory>();
#endif
}

} // namespace tavrin::terminal_link
