#pragma once

#include "store/rgb.h"

#include <QStringView>

namespace tavrin {

class WatchListModel;

// The text colour of a whole row by its profit or loss, read in single precision:
// red for a gain, blue for a loss, black (the list's own, so no entry) for neither.
Rgb rowColourForProfit(QStringView profit);

// Recolours every row by its profit or loss, with one repaint for the whole list.
void runColourPass(WatchListModel& model);

} // namespace tavrin
