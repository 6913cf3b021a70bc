#pragma once

#include "app/terminal_link/window_directory.h"

#include <memory>

namespace tavrin::terminal_link {

// Top-level windows of an X display: the window manager's client list when one is
// published (top first when it also publishes the stacking order), else the root
// window's children. The class read is the class part of
// WM_CLASS (its second string); the message is a ClientMessage whose type is the
// atom of the message name, format 32, data.l[0] and data.l[1] the two parameters.
// Use it from one thread: X errors are caught by a process-wide handler while a call runs.
class X11WindowDirectory final : public WindowDirectory {
public:
    // A null name means $DISPLAY. Without a display there are no windows.
    explicit X11WindowDirectory(const char* displayName = nullptr);
    ~X11WindowDirectory() override;

    bool isConnected() const;

    void forEachTopLevelWindow(const std::function<void(WindowId)>& visit) override;
    std::string windowTitle(WindowId window) override;
    std::string windowClass(WindowId window) override;
    std::uint32_t registerMessage(const char* name) override;
    void postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                     std::intptr_t second) override;

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace tavrin::terminal_link
