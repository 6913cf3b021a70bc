// The Win32 backend against real windows of this process. Built with mingw-w64
// alone (no Qt on that side), run under Wine. Each case creates top-level windows
// with the given GBK titles and classes, hands a code off through the real calls
// and checks which window received which message with which parameters.
#include "app/terminal_link/code_hand_off.h"
#include "app/terminal_link/win32_window_directory.h"

#define WIN32_LEAN_AND_MEAN
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

using namespace tavrin::terminal_link;

namespace {

struct Received {
    HWND window;
    UINT message;
    WPARAM first;
    LPARAM second;
};

std::vector<Received> received;

// Registered messages live in 0xC000..0xFFFF; every one that arrives is kept.
LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message >= 0xC000 && message <= 0xFFFF)
        received.push_back({window, message, first, second});
    return DefWindowProcW(window, message, first, second);
}

std::wstring wideFromGbk(const std::string& gbk) {
    const int size = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), text.data(), size);
    return text;
}

// GBK bytes of the texts the cases use.
const std::string dazhihui = "\xB4\xF3\xD6\xC7\xBB\xDB - ";             // 大智慧 -
const std::string tongdaxin = "\xCD\xA8\xB4\xEF\xD0\xC5";               // 通达信
const std::string guizhouMoutai = "\xB9\xF3\xD6\xDD\xC3\xA9\xCC\xA8";   // 贵州茅台
const std::string notepad = "\xBC\xC7\xCA\xC2\xB1\xBE";                 // 记事本
const std::string jia = "\xBC\xD7";                                     // 甲
const std::string yi = "\xD2\xD2";                                      // 乙
const std::string financeTerminal = "\xBD\xF0\xC8\xDA\xD6\xD5\xB6\xCB"; // 金融终端
const std::string tdxClass = "TdxW_MainFrame_Class";

struct WindowSpec {
    std::string title;
    std::string windowClass;
    bool atBottom = false; // moved to the bottom of the z-order once created
};

struct Case {
    const char* name;
    std::vector<WindowSpec> windows;
    const char* code;
    bool tongdaxin;
    HandOff::Outcome outcome;
    int receiver; // index into windows, -1 for none
    std::int32_t number;
};

std::vector<Case> cases() {
    using O = HandOff::Outcome;
    return {
        {"dazhihui receives 600519",
         {{notepad, "Notepad"}, {dazhihui + guizhouMoutai, "DzhMainFrame"}},
         "600519",
         false,
         O::Posted,
         1,
         7600519},
        {"tongdaxin of its class receives 000001",
         {{dazhihui + "x", "DzhMainFrame"},
          {tongdaxin, "TdxW_Other_Class"},
          {tongdaxin + financeTerminal, tdxClass}},
         "000001",
         true,
         O::Posted,
         2,
         6000001},
        {"class inside a longer class",
         {{tongdaxin, "Afx:TdxW_MainFrame_Class:1"}},
         "300750",
         true,
         O::Posted,
         0,
         6300750},
        {"two matches: the lower one wins",
         {{dazhihui + jia, "DzhMainFrame", true}, {dazhihui + yi, "DzhMainFrame"}},
         "600519",
         false,
         O::Posted,
         0,
         7600519},
        {"two matches, other order",
         {{dazhihui + jia, "DzhMainFrame"}, {dazhihui + yi, "DzhMainFrame", true}},
         "600519",
         false,
         O::Posted,
         1,
         7600519},
        {"tongdaxin only with the flag",
         {{tongdaxin, tdxClass}},
         "600519",
         false,
         O::NoTerminal,
         -1,
         7600519},
        {"dazhihui ignored with the flag",
         {{dazhihui, tdxClass}},
         "600519",
         true,
         O::NoTerminal,
         -1,
         7600519},
        {"title ending at byte 254",
         {{std::string(245, 'x') + dazhihui, "A"}},
         "600519",
         false,
         O::Posted,
         0,
         7600519},
        {"title match past byte 254",
         {{std::string(246, 'x') + dazhihui, "A"}},
         "600519",
         false,
         O::NoTerminal,
         -1,
         7600519},
        {"class ending at byte 254",
         {{tongdaxin, std::string(234, 'a') + tdxClass}},
         "000001",
         true,
         O::Posted,
         0,
         6000001},
        {"class match past byte 254",
         {{tongdaxin, std::string(235, 'a') + tdxClass}},
         "000001",
         true,
         O::NoTerminal,
         -1,
         6000001},
        {"short code", {{dazhihui, "A"}}, "60051", false, O::CodeTooShort, -1, 0},
    };
}

int failures = 0;

void check(bool ok, const Case& c, const char* what) {
    if (!ok) {
        ++failures;
        std::printf("FAIL %s: %s\n", c.name, what);
    }
}

void registerClass(const std::string& name) {
    const std::wstring wide = wideFromGbk(name);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = recordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = wide.c_str();
    RegisterClassW(&windowClass); // already registered by an earlier case is fine
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

void runCase(const Case& c, UINT stockMessage) {
    const int failuresBefore = failures;
    std::vector<HWND> windows;
    for (const WindowSpec& spec : c.windows) {
        registerClass(spec.windowClass);
        // Titles are set through UTF-16 so that both ways of reading them are tried.
        HWND window = CreateWindowExW(0, wideFromGbk(spec.windowClass).c_str(),
                                      wideFromGbk(spec.title).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        check(window != nullptr, c, "window created");
        windows.push_back(window);
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (c.windows[i].atBottom)
            SetWindowPos(windows[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    pumpMessages();
    received.clear();

    Win32WindowDirectory directory;
    const HandOff result = handOffCode(directory, c.code, c.tongdaxin);
    pumpMessages();

    check(result.outcome == c.outcome, c, "outcome");
    check(result.codeNumber == c.number, c, "code number");
    if (c.receiver < 0) {
        check(received.empty(), c, "no window receives anything");
    } else {
        const HWND target = windows[static_cast<std::size_t>(c.receiver)];
        check(result.window == reinterpret_cast<WindowId>(target), c, "result names the receiver");
        check(result.message == stockMessage, c, "result carries the message number");
        check(received.size() == 1, c, "exactly one message arrives");
        if (received.size() == 1) {
            check(received[0].window == target, c, "the right window receives it");
            check(received[0].message == stockMessage, c, "message number of \"Stock\"");
            check(received[0].first == static_cast<WPARAM>(c.number), c, "wParam is the code number");
            check(received[0].second == 0, c, "lParam is 0");
        }
    }
    for (HWND window : windows)
        DestroyWindow(window);
    pumpMessages();
    std::printf("%s %s\n", failures > failuresBefore ? "FAIL" : "PASS", c.name);
}

} // namespace

int main() {
    std::printf("ANSI code page %u\n", GetACP());
    const UINT stockMessage = RegisterWindowMessageA("Stock");
    if (stockMessage < 0xC000) {
        std::printf("FAIL RegisterWindowMessageA(\"Stock\") gave %u\n", stockMessage);
        return 1;
    }
    for (const Case& c : cases())
        runCase(c, stockMessage);
    std::printf("%s: %d failure(s)\n", failures ? "FAILED" : "PASSED", failures);
    return failures ? 1 : 0;
}
