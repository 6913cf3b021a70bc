#pragma once

#include "app/delivery/message_sink.h"

#include <QString>
#include <QStringView>

namespace tavrin {

class Notifier;

// How the editing commands answer the user: message boxes for refusals and
// failures, a short balloon tip from the tray icon for a change that was made.
class EditFeedback {
public:
    static constexpr int kBalloonMs = 2000;

    EditFeedback(MessageSink& messages, Notifier& notifier) : m_messages(messages), m_notifier(notifier) {}

    void tell(const Message& message) { m_messages.show(message); }
    // The change was made: an information balloon for 2 seconds.
    void succeeded(QStringView title, QStringView body);
    // Something could not be stored: an error box over the main window.
    void failed(const QString& text);
    // The change was made, but not all of it could be kept: a warning box instead of the balloon.
    void warned(const QString& text);

private:
    MessageSink& m_messages;
    Notifier& m_notifier;
};

// The text of an error box for a database operation that failed, nothing changed.
QString databaseFailureText(const QString& reason);
// The text of an error box when the list could not be read back from the database.
QString listLoadFailureText(const QString& reason);
// The warning when the edit was stored but the alert state file could not be written.
QString stateNotSavedText(const QString& path);

} // namespace tavrin
