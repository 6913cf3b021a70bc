#include "app/terminal_link/win32_window_directory.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace tavrin::terminal_link {
namespace {

constexpr int textBufferSize = 255;
constexpr UINT gbkCodePage = 936;

HWND handleOf(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
    const auto& visit = *reinterpret_cast<const std::function<void(WindowId)>*>(context);
    visit(reinterpret_cast<WindowId>(window));
    return TRUE;
}

// Outside a Chinese locale the ANSI calls would turn every Chinese character into '?':
// read the text as UTF-16 and write it as GBK, which is what the A call gives under 936.
std::string gbkFromWide(const wchar_t* text, int length) {
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(gbkCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(gbkCodePage, 0, text, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

template <typename ReadA, typename ReadW> std::string readText(ReadA readA, ReadW readW) {
    if (GetACP() == gbkCodePage) {
        char buffer[textBufferSize] = {};
        const int length = readA(buffer, textBufferSize);
        return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
    }
    wchar_t buffer[textBufferSize] = {};
    return gbkFromWide(buffer, readW(buffer, textBufferSize));
}

} // namespace

void Win32WindowDirectory::forEachTopLevelWindow(const std::function<void(WindowId)>& visit) {
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::string Win32WindowDirectory::windowTitle(WindowId window) {
    return readText(
        [&](char* buffer, int size) { return GetWindowTextA(handleOf(window), buffer, size); },
        [&](wchar_t* buffer, int size) { return GetWindowTextW(handleOf(window), buffer, size); });
}

std::string Win32WindowDirectory::windowClass(WindowId window) {
    return readText([&](char* buffer, int size) { return GetClassNameA(handleOf(window), buffer, size); },
                    [&](wchar_t* buffer, int size) { return GetClassNameW(handleOf(window), buffer, size); });
}

std::uint32_t Win32WindowDirectory::registerMessage(const char* name) {
    return RegisterWindowMessageA(name);
}

void Win32WindowDirectory::postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                                       std::intptr_t second) {
    PostMessageA(handleOf(window), message, static_cast<WPARAM>(first), static_cast<LPARAM>(second));
}

} // namespace tavrin::terminal_link
