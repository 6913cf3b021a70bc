// A stand-in for a trading terminal: one mapped top-level window with the given
// title (UTF-8, as _NET_WM_NAME and WM_NAME) and class, on $DISPLAY. It prints
// "ready <window>" once the window exists, then one line per client message,
// and ends after the first message of type "Stock".
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fake_terminal TITLE CLASS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "fake_terminal: no X display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 20, 20, 240, 80, 1,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto* title = reinterpret_cast<const unsigned char*>(argv[1]);
    const int titleLength = static_cast<int>(std::strlen(argv[1]));
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    title, titleLength);
    XChangeProperty(display, window, XA_WM_NAME, utf8, 8, PropModeReplace, title, titleLength);
    char instance[] = "fake_terminal";
    XClassHint hint = {instance, argv[2]};
    XSetClassHint(display, window, &hint);
    XMapWindow(display, window);
    XSync(display, False);

    const Atom stock = XInternAtom(display, "Stock", False);
    std::printf("ready 0x%lx\n", window);
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage)
            continue;
        char* type = XGetAtomName(display, event.xclient.message_type);
        std::printf("client message to 0x%lx: type %s (atom %lu), format %d, l[0] %ld, l[1] %ld\n",
                    event.xclient.window, type ? type : "?", event.xclient.message_type, event.xclient.format,
                    event.xclient.data.l[0], event.xclient.data.l[1]);
        std::fflush(stdout);
        if (type)
            XFree(type);
        if (event.xclient.message_type == stock)
            break;
    }
    XCloseDisplay(display);
    return 0;
}
