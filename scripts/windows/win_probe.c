/* Looks at a running Windows program from the Windows side, for test.sh under
 * Wine: what an X tool sees of a Wine window is not its Win32 geometry.
 *
 *   win_probe window TITLE SECONDS      waits for a top-level window titled
 *                                        TITLE; prints "outer W H client W H"
 *   win_probe click TITLE X Y           a left click at client point X,Y
 *   win_probe close TITLE               asks the window to close (WM_CLOSE)
 *   win_probe exports DLL HEXNAME...    loads DLL and prints "found NAME" or
 *                                        "missing NAME" for each export, the
 *                                        name given as the hex of its bytes
 *
 * TITLE is the hex of its UTF-8 bytes, so that no code page comes between the
 * shell and the program; the same for export names, in whatever bytes they
 * carry. Exit status 0 when everything
 * asked for was there, 1 when not, 2 on bad arguments.
 */
#include <windows.h>
/* After windows.h, whose types it uses. */
#include <dwmapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int from_hex(const char* hex, char* bytes, size_t room);

static wchar_t* wide_from_utf8(const char* text) {
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, NULL, 0);
    if (length <= 0)
        return NULL;
    wchar_t* wide = malloc(sizeof(wchar_t) * (size_t)length);
    if (wide)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, length);
    return wide;
}

static HWND find_window(const char* hexTitle, int seconds) {
    char title[512];
    if (!from_hex(hexTitle, title, sizeof title))
        return NULL;
    wchar_t* wide = wide_from_utf8(title);
    if (!wide)
        return NULL;
    HWND window = NULL;
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        window = FindWindowW(NULL, wide);
        if (window && IsWindowVisible(window))
            break;
        window = NULL;
        Sleep(100);
    }
    free(wide);
    return window;
}

static int from_hex(const char* hex, char* bytes, size_t room) {
    size_t length = strlen(hex);
    if (length % 2 != 0 || length / 2 + 1 > room)
        return 0;
    for (size_t i = 0; i < length / 2; ++i) {
        unsigned value = 0;
        if (sscanf(hex + 2 * i, "%2x", &value) != 1)
            return 0;
        bytes[i] = (char)value;
    }
    bytes[length / 2] = '\0';
    return 1;
}

static int probe_window(const char* title, int seconds) {
    HWND window = find_window(title, seconds);
    if (!window) {
        printf("no window\n");
        return 1;
    }
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    /* What the window's styles make of its client size, as Qt computes its frame. */
    RECT adjusted = client;
    AdjustWindowRectEx(&adjusted, (DWORD)GetWindowLongPtrW(window, GWL_STYLE), FALSE,
                       (DWORD)GetWindowLongPtrW(window, GWL_EXSTYLE));
    /* What the user sees: Windows 10 and later leave the resize borders invisible. */
    RECT visible = outer;
    if (DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &visible, sizeof visible) != S_OK)
        visible = outer;
    printf("outer %ld %ld client %ld %ld adjusted %ld %ld visible %ld %ld\n", outer.right - outer.left,
           outer.bottom - outer.top, client.right - client.left, client.bottom - client.top,
           adjusted.right - adjusted.left, adjusted.bottom - adjusted.top, visible.right - visible.left,
           visible.bottom - visible.top);
    return 0;
}

static int click(const char* title, int x, int y) {
    HWND window = find_window(title, 0);
    if (!window)
        return 1;
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    return 0;
}

static int close_window(const char* title) {
    HWND window = find_window(title, 0);
    if (!window)
        return 1;
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

static int exports(const char* dll, int count, char** names) {
    wchar_t* path = wide_from_utf8(dll);
    /* The altered search order takes a full path with backslashes only. */
    for (wchar_t* c = path; c && *c; ++c) {
        if (*c == L'/')
            *c = L'\\';
    }
    /* The DLL's own folder first, for the DLLs it imports in turn. */
    HMODULE module = path ? LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH) : NULL;
    free(path);
    if (!module) {
        printf("cannot load %s (error %lu)\n", dll, GetLastError());
        return 1;
    }
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        char name[256];
        if (!from_hex(names[i], name, sizeof name)) {
            printf("bad name %s\n", names[i]);
            return 2;
        }
        int found = GetProcAddress(module, name) != NULL;
        printf("%s %s\n", found ? "found" : "missing", names[i]);
        missing += !found;
    }
    return missing ? 1 : 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "window") == 0)
        return probe_window(argv[2], atoi(argv[3]));
    if (argc == 5 && strcmp(argv[1], "click") == 0)
        return click(argv[2], atoi(argv[3]), atoi(argv[4]));
    if (argc == 3 && strcmp(argv[1], "close") == 0)
        return close_window(argv[2]);
    if (argc >= 4 && strcmp(argv[1], "exports") == 0)
        return exports(argv[2], argc - 3, argv + 3);
    fprintf(stderr, "usage: win_probe window|click|close|exports ...\n");
    return 2;
}
