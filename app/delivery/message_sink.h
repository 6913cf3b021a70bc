#pragma once

#include <QString>

namespace tavrin {

enum class MessageIcon { None, Information, Warning, Error };

// Who a message box belongs to: the main window (it stays in front of it and
// blocks it) or nobody.
enum class MessageOwner { None, MainWindow };

// A message box with a single OK button.
struct Message {
    QString text;
    QString caption = defaultCaption();
    MessageIcon icon = MessageIcon::None;
    MessageOwner owner = MessageOwner::None;

    static QString defaultCaption() { return QStringLiteral("信息："); }

    friend bool operator==(const Message&, const Message&) = default;
};

// Shows message boxes and returns when the user has dismissed them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const Message& message) = 0;
};

} // namespace tavrin
