#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

namespace tavrin::test {

// The caption or default content a user sees on a control: a label's or a button's
// text, a group box's title, an edit box's text or contents, a combo box's current
// item; empty for anything else.
inline QString shownText(const QObject* control) {
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<const QPlainTextEdit*>(control))
        return box->toPlainText();
    return {};
}

} // namespace tavrin::test
