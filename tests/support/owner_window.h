#pragma once

#include "app/main_window/main_window.h"
#include "app/main_window/program_pictures.h"
#include "store/watch_list_model.h"
#include "tests/support/fakes.h"
#include "tests/support/shown_text.h"

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
