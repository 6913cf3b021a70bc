#pragma once

#include <QByteArray>
#include <QList>

struct _XDisplay;

// The test's own X connection, making windows the way terminals and window
// managers make them. Kept apart from the test so that Xlib's macros stay out of Qt code.
class XTestDisplay {
public:
    explicit XTestDisplay(const QByteArray& name);
    ~XTestDisplay();

    bool isOpen() const { return m_display != nullptr; }

    unsigned long createWindow();
    void destroyWindow(unsigned long window);
    void setText(unsigned long window, const char* property, const char* type, const QByteArray& bytes);
    // COMPOUND_TEXT made by Xlib from UTF-8.
    void setCompoundText(unsigned long window, const char* property, const QByteArray& utf8);
    // _NET_CLIENT_LIST or _NET_CLIENT_LIST_STACKING on the root, as a window manager sets them.
    void setClientList(const char* property, const QList<unsigned long>& windows);
    void removeClientLists();
    unsigned long atom(const char* name);

    struct ReceivedMessage {
        unsigned long window;
        unsigned long type;
        int format;
        long first;
        long second;
    };
    // Every client message that reached our windows so far.
    QList<ReceivedMessage> takeClientMessages();

    Q_DISABLE_COPY_MOVE(XTestDisplay)

private:
    _XDisplay* m_display;
};
