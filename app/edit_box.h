#pragma once

#include <QLineEdit>

namespace tavrin {

// A one-line edit box whose typing limit restricts only what the user types:
// texts the program sets are kept whole (QLineEdit::maxLength would cut them).
// A text already longer than the limit may still be shortened by the user.
class EditBox : public QLineEdit {
    Q_OBJECT

public:
    explicit EditBox(QWidget* parent = nullptr);

    // 0 removes the limit.
    void setTypingLimit(int characters);
    int typingLimit() const { return limit_; }

protected:
    bool event(QEvent* event) override;

private:
    class LimitValidator;
    friend class LimitValidator;

    int limit_ = 0;
    int lengthBeforeEdit_ = 0;
    bool handlingEvent_ = false;
};

} // namespace tavrin
