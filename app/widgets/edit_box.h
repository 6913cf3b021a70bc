#pragma once

#include <QLineEdit>

namespace tavrin {

// A one-line edit box whose typing limit restricts only what the user types:
// texts the program sets are kept whole (QLineEdit::maxLength would cut them).
// A text already longer than the limit may still be shortened by the user; an
// insertion that does not fit is cut to what fits.
class EditBox : public QLineEdit {
    Q_OBJECT

public:
    explicit EditBox(QWidget* parent = nullptr);

    // 0 removes the limit.
    void setTypingLimit(int characters);
    int typingLimit() const { return m_limit; }

    // When on, the whole text is selected as the focus enters the box, so that typing
    // replaces it; a click into real content still places the cursor where clicked.
    void setSelectAllOnFocus(bool on) { m_selectAllOnFocus = on; }
    bool selectsAllOnFocus() const { return m_selectAllOnFocus; }

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    class LimitValidator;
    friend class LimitValidator;

    int m_limit = 0;
    QString m_textBeforeEdit;
    bool m_handlingEvent = false;
    bool m_selectAllOnFocus = false;
};

} // namespace tavrin
