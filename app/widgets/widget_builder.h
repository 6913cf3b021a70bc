#pragma once

#include "app/widgets/control_entry.h"

#include <QHash>
#include <QIcon>
#include <QString>

class QMenu;
class QObject;
class QWidget;

namespace tavrin {

// Splits a '|'-separated catalogue list; an empty text is an empty list.
QStringList catalogueList(const char* text);

// Creates the controls of a catalogue inside the window, each with its object
// name, geometry and design content, and returns them by name. The icon is the
// one a tray icon shows.
QHash<QString, QObject*> buildControls(QWidget& window, std::span<const ControlEntry> controls,
                                       const QIcon& trayIcon);

// Creates a popup menu (not shown) from its items. Every action and submenu is
// named after its text.
QMenu* buildMenu(QWidget& window, const char* name, std::span<const MenuItemEntry> items);

} // namespace tavrin
