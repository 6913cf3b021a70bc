#pragma once

#include "app/terminal_link/window_directory.h"

namespace tavrin::terminal_link {

// The desktop's top-level windows through the Win32 calls themselves.
class Win32WindowDirectory final : public WindowDirectory {
public:
    Win32WindowDirectory() = default;

    void forEachTopLevelWindow(const std::function<void(WindowId)>& visit) override;
    std::string windowTitle(WindowId window) override;
    std::string windowClass(WindowId window) override;
    std::uint32_t registerMessage(const char* name) override;
    void postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                     std::intptr_t second) override;
};

} // namespace tavrin::terminal_link
