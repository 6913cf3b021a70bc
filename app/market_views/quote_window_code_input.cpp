#include "app/market_views/quote_window_code_input.h"

#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <algorithm>

namespace tavrin {

namespace {

// What an edit put in: the edited text without the parts it shares with the text before.
QStringView insertedText(QStringView before, QStringView after) {
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return after.sliced(head, after.size() - head - tail);
}

bool allDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

class DigitsValidator : public QValidator {
public:
    DigitsValidator(QLineEdit& box, const QValidator* inner)
        : QValidator(&box), m_inner(inner), m_textBeforeEdit(box.text()) {
        // The box holds the edited text while it is validated; what it held before comes from here.
        connect(&box, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_textBeforeEdit = text; });
    }

    State validate(QString& input, int& position) const override {
        if (m_inner && m_inner->validate(input, position) == Invalid)
            return Invalid;
        // Only what the edit adds is tested, so a text the program set stays editable.
        return allDigits(insertedText(m_textBeforeEdit, input)) ? Acceptable : Invalid;
    }

private:
    QPointer<const QValidator> m_inner;
    QString m_textBeforeEdit;
};

} // namespace

void acceptDigitsOnly(QLineEdit& box) {
    box.setValidator(new DigitsValidator(box, box.validator()));
}

} // namespace tavrin
