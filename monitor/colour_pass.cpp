#include "monitor/colour_pass.h"

#include "monitor/price_direction.h"
#include "quotes/number_text.h"
#include "store/watch_list_model.h"

namespace tavrin {

Rgb rowColourForProfit(QStringView profit) {
    const float value = static_cast<float>(textToDouble(profit));
    if (value > directionThreshold)
        return colours::red;
    if (value < -directionThreshold)
        return colours::blue;
    return colours::black;
}

void runColourPass(WatchListModel& model) {
    ColourBatch batch(model);
    for (int r = 0; r < model.rowCount(); ++r) {
        const Rgb text = rowColourForProfit(model.cell(r, WatchListModel::Profit));
        for (int c = 0; c < WatchListModel::columnTotal; ++c)
            model.setCellColours(r, c, text, colours::white);
    }
}

} // namespace tavrin
