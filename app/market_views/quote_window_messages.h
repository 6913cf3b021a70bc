#pragma once

#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <QString>

class QWidget;

namespace tavrin {

// The quote window's message boxes: shown without blocking, owned by the window,
// and never two of the same text at once. A refresh every 3 s that keeps failing
// so adds nothing while its box is still open.
class QuoteWindowMessages {
public:
    explicit QuoteWindowMessages(QWidget& owner) : m_owner(owner) {}
    Q_DISABLE_COPY_MOVE(QuoteWindowMessages)

    // Opens the box unless one of that text is open; returns the box opened, or nullptr.
    QMessageBox* show(const QString& text, const QString& caption, QMessageBox::Icon icon);
    bool isOpen(const QString& text) const;

private:
    QWidget& m_owner;
    QHash<QString, QPointer<QMessageBox>> m_open;
};

QString informationCaption();
QString errorCaption();

} // namespace tavrin
