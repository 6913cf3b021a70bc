#pragma once

#include "app/main_window/main_window.h"
#include "app/main_window/program_pictures.h"
#include "store/watch_list_model.h"
#include "tests/support/fakes.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSize>
#include <QTest>

namespace tavrin::test {

// A shown main window to own the window under test, with the message boxes the
// program would show recorded. One per test function: made in init(), dropped in cleanup().
class OwnerWindow {
public:
    OwnerWindow() : window(&model, programIcon()) { window.show(); }
    Q_DISABLE_COPY_MOVE(OwnerWindow)

    WatchListModel model;
    MainWindow window;
    FakeMessages messages;
};

// The text a control shows: a label's or a button's text, a group box's title, a
// plain text box's contents; empty for anything else.
inline QString shownText(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
        return edit->toPlainText();
    return {};
}

// A window owned as the program's satellite windows are: its own top-level window in
// front of its owner, untitled, not modal, of the designed outer size.
inline void verifyOwnedWindow(const QWidget& window, const QWidget& owner, QSize outerSize) {
    QCOMPARE(window.frameGeometry().size(), outerSize);
    QCOMPARE(window.windowTitle(), QString());
    QCOMPARE(window.parentWidget(), &owner);
    QVERIFY(window.isWindow());
    QCOMPARE(window.windowModality(), Qt::NonModal);
}

} // namespace tavrin::test
