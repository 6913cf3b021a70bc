#include "app/editing/edit_controller.h"

#include "app/editing/alert_commands.h"
#include "app/editing/stock_commands.h"
#include "app/main_window/main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace tavrin {
namespace {

template <typename Command>
void onAction(const MainWindow& window, QStringView text, Command* commands, void (Command::*run)()) {
    if (QAction* action = window.action(text))
        QObject::connect(action, &QAction::triggered, commands, run);
}

template <typename Command>
void onClick(const MainWindow& window, QStringView name, Command* commands, void (Command::*run)()) {
    if (auto* button = window.control<QPushButton>(name))
        QObject::connect(button, &QPushButton::clicked, commands, run);
}

template <typename Command>
void onEnter(const MainWindow& window, QStringView name, Command* commands, void (Command::*run)()) {
    if (auto* box = window.control<QLineEdit>(name))
        QObject::connect(box, &QLineEdit::returnPressed, commands, run);
}

} // namespace

void connectEditCommands(MainWindow& window, StockCommands& stocks, AlertCommands& alerts) {
    // textChanged, not textEdited: a code the program puts into the box is looked up too.
    if (auto* codeBox = window.control<QLineEdit>(u"编辑框_股票代码"))
        QObject::connect(codeBox, &QLineEdit::textChanged, &stocks, &StockCommands::codeEntered);
    onEnter(window, u"编辑框_买入价格", &stocks, &StockCommands::priceEntered);
    onEnter(window, u"编辑框_买入数量", &stocks, &StockCommands::add);
    onClick(window, u"添加按钮", &stocks, &StockCommands::add);
    onClick(window, u"按钮2", &stocks, &StockCommands::modify);
    onAction(window, u"添加股票", &stocks, &StockCommands::showEditRow);
    onAction(window, u"删除所选", &stocks, &StockCommands::deleteSelected);

    onAction(window, u"添加/修改预警", &alerts, &AlertCommands::openEditor);
    onAction(window, u"删除预警", &alerts, &AlertCommands::removeAlert);
    onClick(window, u"按钮3", &alerts, &AlertCommands::setAlert);
}

} // namespace tavrin
