#pragma once

namespace tavrin {

class AlertCommands;
class MainWindow;
class StockCommands;

// Connects the edit row, the alert page and the list's menu to the commands that
// handle them. The connections end with the window or the commands.
void connectEditCommands(MainWindow& window, StockCommands& stocks, AlertCommands& alerts);

} // namespace tavrin
