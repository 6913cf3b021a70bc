#include "app/edit_box.h"

#include <QValidator>

namespace tavrin {

// Refuses only edits made while the box handles one of its own (user) events
// that would make the text longer than both the limit and what it was before.
class EditBox::LimitValidator : public QValidator {
public:
    explicit LimitValidator(EditBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int&) const override {
        if (!box_->handlingEvent_ || box_->limit_ <= 0)
            return Acceptable;
        const int length = int(input.size());
        return length <= box_->limit_ || length <= box_->lengthBeforeEdit_ ? Acceptable : Invalid;
    }

private:
    EditBox* box_;
};

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new LimitValidator(this));
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { lengthBeforeEdit_ = int(text.size()); });
}

void EditBox::setTypingLimit(int characters) {
    limit_ = characters > 0 ? characters : 0;
}

bool EditBox::event(QEvent* event) {
    // Key presses, input-method text, drops and context-menu pastes all arrive as
    // events of this box; programmatic setText calls do not.
    const bool outer = !handlingEvent_;
    handlingEvent_ = true;
    const bool result = QLineEdit::event(event);
    if (outer)
        handlingEvent_ = false;
    return result;
}

} // namespace tavrin
