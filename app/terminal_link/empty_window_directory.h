#pragma once

#include "app/terminal_link/window_directory.h"

namespace tavrin::terminal_link {

// A desktop without windows, for builds without a window-system backend.
class EmptyWindowDirectory final : public WindowDirectory {
public:
    EmptyWindowDirectory() = default;

    void forEachTopLevelWindow(const std::function<void(WindowId)>&) override {}
    std::string windowTitle(WindowId) override { return {}; }
    std::string windowClass(WindowId) override { return {}; }
    std::uint32_t registerMessage(const char*) override { return 0; }
    void postMessage(WindowId, std::uint32_t, std::intptr_t, std::intptr_t) override {}
};

} // namespace tavrin::terminal_link
