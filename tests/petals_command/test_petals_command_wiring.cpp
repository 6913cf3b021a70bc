#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/petals_command/petals_command.h"
#include "app/petals_command/petals_command_wiring.h"
#include "store/watch_list_model.h"
#include "tests/app/edit_fixture.h"
#include "tests/petals_command/fake_effect_loader.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QTest>

using namespace tavrin;
using namespace tavrin::test;

namespace names = tavrin::main_window_names;

// The real main window's menu command and option box driving the command.
class PetalsCommandWiringTest : public QObject {
    Q_OBJECT
private slots:
    void menuCommandReadsTheOptionAtEveryUse_data();
    void menuCommandReadsTheOptionAtEveryUse();
};

void PetalsCommandWiringTest::menuCommandReadsTheOptionAtEveryUse_data() {
    QTest::addColumn<QList<bool>>("ticked");
    QTest::addColumn<int>("loads");
    QTest::addColumn<int>("runs");
    QTest::newRow("ticked as designed") << QList<bool>{true} << 1 << 1;
    QTest::newRow("unticked") << QList<bool>{false, false} << 0 << 0;
    QTest::newRow("ticked, unticked, ticked") << QList<bool>{true, false, true} << 1 << 2;
}

void PetalsCommandWiringTest::menuCommandReadsTheOptionAtEveryUse() {
    QFETCH(QList<bool>, ticked);
    WatchListModel model;
    MainWindow window(&model, QIcon());
    EffectCalls calls;
    FakeMessages messages;
    PetalsCommand command(std::make_unique<FakeEffectLoader>(calls, LoadFailure::None), messages);
    connectPetalsCommand(window, command);

    auto* option = window.control<QCheckBox>(names::petalsOption);
    QAction* action = window.action(names::petalsCommand);
    QVERIFY(option && action);
    QVERIFY(option->isChecked());
    for (const bool box : ticked) {
        option->setChecked(box);
        action->trigger();
    }
    QFETCH(int, runs);
    QTRY_COMPARE(calls.runs, runs);
    // Nothing more comes later.
    QTest::qWait(2 * menuSettleMs);
    QCOMPARE(calls.runs, runs);
    QTEST(calls.loads, "loads");
    QVERIFY(messages.shown.empty());
}

QTEST_MAIN(PetalsCommandWiringTest)
#include "test_petals_command_wiring.moc"
