#include "app/editing/edit_controller.h"

#include "app/editing/alert_commands.h"
#include "app/editing/stock_commands.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace tavrin {

namespace names = main_window_names;
namespace {

template <typename Command>
void onAction(const MainWindow& window, QAnyStringView text, Command* commands, void (Command::*run)()) {
    if (QAction* action = window.action(text))
        QObject::connect(action, &QAction::triggered, commands, run);
}

template <typename Command>
void onClick(const MainWindow& window, QAnyStringView name, Command* commands, void (Command::*run)()) {
    if (auto* button = window.control<QPushButton>(name))
        QObject::connect(button, &QPushButton::clicked, commands, run);
}

template <typename Command>
void onEnter(const MainWindow& window, QAnyStringView name, Command* commands, void (Command::*run)()) {
    if (auto* box = window.control<QLineEdit>(name))
        QObject::connect(box, &QLineEdit::returnPressed, commands, run);
}

} // namespace

void connectEditCommands(MainWindow& window, StockCommands& stocks, AlertCommands& alerts) {
    // textChanged, not textEdited: a code the program puts into the box is looked up too.
    if (auto* codeBox = window.control<QLineEdit>(names::codeBox))
        QObject::connect(codeBox, &QLineEdit::textChanged, &stocks, &StockCommands::codeEntered);
    onEnter(window, names::purchasePriceBox, &stocks, &StockCommands::priceEntered);
    onEnter(window, names::quantityBox, &stocks, &StockCommands::add);
    onClick(window, names::addButton, &stocks, &StockCommands::add);
    onClick(window, names::modifyButton, &stocks, &StockCommands::modify);
    onAction(window, names::addStockCommand, &stocks, &StockCommands::showEditRow);
    onAction(window, names::deleteStockCommand, &stocks, &StockCommands::deleteSelected);

    onAction(window, names::editAlertCommand, &alerts, &AlertCommands::openEditor);
    onAction(window, names::removeAlertCommand, &alerts, &AlertCommands::removeAlert);
    onClick(window, names::alertSetButton, &alerts, &AlertCommands::setAlert);
}

} // namespace tavrin
