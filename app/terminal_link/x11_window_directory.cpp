#include "app/terminal_link/x11_window_directory.h"

#include "app/terminal_link/gbk_conversion.h"
#include "app/terminal_link/terminal_match.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <optional>
#include <vector>

namespace tavrin::terminal_link {
namespace {

// Enough UTF-8 for the 254 GBK bytes that are compared, with room to spare.
constexpr long textLongs = 256;
constexpr long classLongs = 16384;
constexpr long clientListLongs = 65536;
// GBK bytes kept from a text: a few more than are compared, so the cut stays the matcher's.
constexpr std::size_t textBytes = windowTextLimit + 2;

// Xlib reports errors to one handler per process. While a call of ours runs, errors on
// our connection (a window that closed meanwhile) are swallowed; others go on as before.
Display* trappedDisplay = nullptr;
XErrorHandler previousHandler = nullptr;

int swallowOwnErrors(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay)
        return 0;
    return previousHandler ? previousHandler(display, error) : 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) {
        trappedDisplay = display;
        previousHandler = XSetErrorHandler(swallowOwnErrors);
    }
    ~ErrorTrap() {
        XSync(trappedDisplay, False);
        XSetErrorHandler(previousHandler);
        trappedDisplay = nullptr;
        previousHandler = nullptr;
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
};

struct Property {
    Atom type = None;
    int format = 0;
    std::vector<unsigned char> bytes; // format 8
    std::vector<unsigned long> items; // format 32, as Xlib hands them out: one long each
};

std::optional<Property> readProperty(Display* display, Window window, Atom name, long maxLongs) {
    if (name == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long bytesAfter = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, name, 0, maxLongs, False, AnyPropertyType, &type,
                                          &format, &count, &bytesAfter, &data);
    if (status != Success || type == None) {
        if (data)
            XFree(data);
        return std::nullopt;
    }
    Property property;
    property.type = type;
    property.format = format;
    if (data && format == 8) {
        property.bytes.assign(data, data + count);
    } else if (data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        property.items.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return property;
}

std::string_view textOf(const Property& property) {
    return std::string_view(reinterpret_cast<const char*>(property.bytes.data()), property.bytes.size());
}

// COMPOUND_TEXT and the like: Xlib knows their charsets.
std::string utf8FromTextProperty(Display* display, const Property& property) {
    XTextProperty text;
    text.value = const_cast<unsigned char*>(property.bytes.data());
    text.encoding = property.type;
    text.format = property.format;
    text.nitems = property.bytes.size();
    char** list = nullptr;
    int count = 0;
    std::string utf8;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && list) {
        if (count > 0 && list[0])
            utf8 = list[0];
        XFreeStringList(list);
    }
    return utf8;
}

} // namespace

struct X11WindowDirectory::Connection {
    Display* display = nullptr;
    Atom clientList = None;
    Atom clientListStacking = None;
    Atom netWmName = None;
    Atom utf8String = None;
    Atom compoundText = None;
};

X11WindowDirectory::X11WindowDirectory(const char* displayName)
    : m_connection(std::make_unique<Connection>()) {
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return;
    m_connection->display = display;
    // Only if they exist: asking for the client lists must not invent them.
    m_connection->clientList = XInternAtom(display, "_NET_CLIENT_LIST", True);
    m_connection->clientListStacking = XInternAtom(display, "_NET_CLIENT_LIST_STACKING", True);
    m_connection->netWmName = XInternAtom(display, "_NET_WM_NAME", True);
    m_connection->utf8String = XInternAtom(display, "UTF8_STRING", True);
    m_connection->compoundText = XInternAtom(display, "COMPOUND_TEXT", True);
}

X11WindowDirectory::~X11WindowDirectory() {
    if (m_connection->display)
        XCloseDisplay(m_connection->display);
}

bool X11WindowDirectory::isConnected() const {
    return m_connection->display != nullptr;
}

void X11WindowDirectory::forEachTopLevelWindow(const std::function<void(WindowId)>& visit) {
    Display* display = m_connection->display;
    if (!display)
        return;
    std::vector<Window> windows;
    {
        ErrorTrap trap(display);
        const Window root = DefaultRootWindow(display);
        const auto clientList = [&](Atom name) {
            std::optional<Property> list = readProperty(display, root, name, clientListLongs);
            if (list && (list->type != XA_WINDOW || list->format != 32))
                list.reset();
            return list;
        };
        // The stacking list holds the same clients bottom first: visited top first, the
        // lowest window comes last, as with EnumWindows. Without it, the list's own order.
        if (const std::optional<Property> stacking = clientList(m_connection->clientListStacking)) {
            windows.assign(stacking->items.rbegin(), stacking->items.rend());
        } else if (const std::optional<Property> clients = clientList(m_connection->clientList)) {
            windows.assign(clients->items.begin(), clients->items.end());
        } else {
            Window rootReturn = None;
            Window parent = None;
            Window* children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children) {
                // The tree lists the bottom first; visit the top first, as EnumWindows does.
                windows.assign(children, children + count);
                std::reverse(windows.begin(), windows.end());
            }
            if (children)
                XFree(children);
        }
    }
    for (const Window window : windows)
        visit(window);
}

std::string X11WindowDirectory::windowTitle(WindowId window) {
    Display* display = m_connection->display;
    if (!display)
        return {};
    ErrorTrap trap(display);
    const std::optional<Property> netName = readProperty(display, window, m_connection->netWmName, textLongs);
    if (netName && netName->type == m_connection->utf8String && netName->format == 8)
        return gbkFromUtf8(textOf(*netName), textBytes);
    const std::optional<Property> name = readProperty(display, window, XA_WM_NAME, textLongs);
    if (!name || name->format != 8)
        return {};
    if (name->type == m_connection->utf8String)
        return gbkFromUtf8(textOf(*name), textBytes);
    if (name->type == XA_STRING)
        return gbkFromUtf8(utf8FromLatin1(textOf(*name)), textBytes);
    if (name->type == m_connection->compoundText)
        return gbkFromUtf8(utf8FromTextProperty(display, *name), textBytes);
    return {};
}

std::string X11WindowDirectory::windowClass(WindowId window) {
    Display* display = m_connection->display;
    if (!display)
        return {};
    ErrorTrap trap(display);
    // WM_CLASS holds two zero-terminated strings, instance and class, in Latin-1.
    const std::optional<Property> hint = readProperty(display, window, XA_WM_CLASS, classLongs);
    if (!hint || hint->format != 8 || hint->type != XA_STRING)
        return {};
    const std::string_view text = textOf(*hint);
    const std::size_t end = text.find('\0');
    if (end == std::string_view::npos)
        return {};
    const std::string_view className = text.substr(end + 1);
    return gbkFromUtf8(utf8FromLatin1(className.substr(0, className.find('\0'))), textBytes);
}

std::uint32_t X11WindowDirectory::registerMessage(const char* name) {
    Display* display = m_connection->display;
    if (!display)
        return 0;
    return static_cast<std::uint32_t>(XInternAtom(display, name, False));
}

void X11WindowDirectory::postMessage(WindowId window, std::uint32_t message, std::intptr_t first,
                                     std::intptr_t second) {
    Display* display = m_connection->display;
    if (!display)
        return;
    ErrorTrap trap(display);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = message;
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    // No event mask: the event goes to the client that created the window.
    XSendEvent(display, window, False, NoEventMask, &event);
}

} // namespace tavrin::terminal_link
