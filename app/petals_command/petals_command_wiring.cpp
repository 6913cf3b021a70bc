#include "app/petals_command/petals_command_wiring.h"

#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/petals_command/petals_command.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QTimer>

namespace tavrin {

namespace names = main_window_names;

void connectPetalsCommand(const MainWindow& window, PetalsCommand& command) {
    QAction* action = window.action(names::petalsCommand);
    if (!action)
        qFatal("MainWindow: the menu command %s is missing", names::petalsCommand);
    auto* option = window.requiredControl<QCheckBox>(names::petalsOption);
    QObject::connect(action, &QAction::triggered, action, [&command, option, action] {
        if (!option->isChecked()) {
            command.trigger(false);
            return;
        }
        // The menu has just closed: what lay under it is repainted before the effect
        // photographs the screen, or the snapshot would keep the menu.
        QTimer::singleShot(menuSettleMs, action, [&command] {
            QGuiApplication::sync();
            command.trigger(true);
        });
    });
}

} // namespace tavrin
