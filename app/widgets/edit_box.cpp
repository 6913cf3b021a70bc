#include "app/widgets/edit_box.h"

#include <QFocusEvent>
#include <QTimer>
#include <QValidator>
#include <algorithm>

namespace tavrin {

// Acts only on edits made while the box handles one of its own (user) events:
// what would make the text longer than both the limit and what it was before is
// cut from the end of the inserted text, as a Windows edit box does.
class EditBox::LimitValidator : public QValidator {
public:
    explicit LimitValidator(EditBox* box) : QValidator(box), m_box(box) {}

    State validate(QString& input, int& position) const override {
        if (!m_box->m_handlingEvent || m_box->m_limit <= 0)
            return Acceptable;
        const qsizetype allowed = std::max(qsizetype(m_box->m_limit), m_box->m_textBeforeEdit.size());
        qsizetype excess = input.size() - allowed;
        if (excess <= 0)
            return Acceptable;
        // The cursor stands right after what was inserted.
        qsizetype start = position - excess;
        if (start < 0)
            return Invalid;
        if (start > 0 && input.at(start).isLowSurrogate()) {
            --start;
            ++excess;
        }
        input.remove(start, excess);
        position = int(start);
        // Nothing of the insertion fits: refuse the edit and keep the undo history.
        return input == m_box->m_textBeforeEdit ? Invalid : Acceptable;
    }

private:
    EditBox* m_box;
};

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new LimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_textBeforeEdit = text; });
}

void EditBox::setTypingLimit(int characters) {
    m_limit = characters > 0 ? characters : 0;
}

namespace {

// The texts the program resets the boxes to (" ", "00 "): nothing a user would keep.
bool isPlaceholder(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'0'; });
}

} // namespace

void EditBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!m_selectAllOnFocus || (event->reason() == Qt::MouseFocusReason && !isPlaceholder(text())))
        return;
    selectAll();
    // A mouse press that gave the focus places the cursor after this event: select again then.
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                selectAll();
        });
}

bool EditBox::event(QEvent* event) {
    // Key presses, input-method text, drops and context-menu pastes all arrive as
    // events of this box; programmatic setText calls do not.
    const bool outer = !m_handlingEvent;
    m_handlingEvent = true;
    const bool result = QLineEdit::event(event);
    if (outer)
        m_handlingEvent = false;
    return result;
}

} // namespace tavrin
