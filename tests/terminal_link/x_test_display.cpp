#include "x_test_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

XTestDisplay::XTestDisplay(const QByteArray& name) : m_display(XOpenDisplay(name.constData())) {}

XTestDisplay::~XTestDisplay() {
    if (m_display)
        XCloseDisplay(m_display);
}

unsigned long XTestDisplay::createWindow() {
    const Window window =
        XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 100, 50, 0, 0, 0);
    XSync(m_display, False);
    return window;
}

void XTestDisplay::destroyWindow(unsigned long window) {
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
}

void XTestDisplay::setText(unsigned long window, const char* property, const char* type,
                           const QByteArray& bytes) {
    XChangeProperty(m_display, window, atom(property), atom(type), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<int>(bytes.size()));
    XSync(m_display, False);
}

void XTestDisplay::setCompoundText(unsigned long window, const char* property, const QByteArray& utf8) {
    QByteArray copy = utf8;
    char* list[] = {copy.data()};
    XTextProperty text;
    if (Xutf8TextListToTextProperty(m_display, list, 1, XCompoundTextStyle, &text) < Success)
        return;
    XSetTextProperty(m_display, window, &text, atom(property));
    XFree(text.value);
    XSync(m_display, False);
}

void XTestDisplay::setClientList(const char* property, const QList<unsigned long>& windows) {
    // Format 32 data goes to Xlib as an array of long, whatever the size of long.
    const QList<long> items(windows.begin(), windows.end());
    XChangeProperty(m_display, DefaultRootWindow(m_display), atom(property), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.constData()),
                    static_cast<int>(items.size()));
    XSync(m_display, False);
}

void XTestDisplay::removeClientLists() {
    XDeleteProperty(m_display, DefaultRootWindow(m_display), atom("_NET_CLIENT_LIST"));
    XDeleteProperty(m_display, DefaultRootWindow(m_display), atom("_NET_CLIENT_LIST_STACKING"));
    XSync(m_display, False);
}

unsigned long XTestDisplay::atom(const char* name) {
    return XInternAtom(m_display, name, False);
}

QList<XTestDisplay::ReceivedMessage> XTestDisplay::takeClientMessages() {
    // After the round trip every event the server sent us before it is in the queue.
    XSync(m_display, False);
    QList<ReceivedMessage> messages;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == ClientMessage) {
            messages.append({event.xclient.window, event.xclient.message_type, event.xclient.format,
                             event.xclient.data.l[0], event.xclient.data.l[1]});
        }
    }
    return messages;
}
