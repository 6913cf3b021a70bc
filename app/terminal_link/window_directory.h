#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavrin::terminal_link {

// A top-level window of the desktop: an HWND on Windows, an X window id on X11.
using WindowId = std::uintptr_t;

// The few window-system calls the terminal link needs. Texts are GBK bytes, as a
// Chinese Windows hands them out; backends may return more than fits the
// 255-byte buffers of the original calls, the matcher cuts them.
class WindowDirectory {
public:
    WindowDirectory() = default;
    virtual ~WindowDirectory() = default;

    // Visits every top-level window, top of the stacking order first.
    virtual void forEachTopLevelWindow(const std::function<void(WindowId)>& visit) = 0;
    virtual std::string windowTitle(WindowId window) = 0;
    virtual std::string windowClass(WindowId window) = 0;

    // The number of the message registered under this name; the same every time.
    virtual std::uint32_t registerMessage(const char* name) = 0;
    // Fire and forget: the receiver's answer, if any, is not awaited.
    virtual void postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                             std::intptr_t second) = 0;

    WindowDirectory(const WindowDirectory&) = delete;
    WindowDirectory& operator=(const WindowDirectory&) = delete;
};

} // namespace tavrin::terminal_link
