#pragma once

#include <QMetaType>
#include <QString>
#include <vector>

namespace tavrin {

class WatchListModel;

// The cells of one watch-list row as the UI thread saw them when a pass started.
// Workers only ever see snapshots; results go back tagged with position, ID and
// code so that a reload in between can never put one stock's values in another's row.
struct RowSnapshot {
    int position = 0;
    QString id;
    QString code;
    QString name;
    QString price;
    QString change;
    QString cost;
    QString quantity;
    QString profit;
    QString alertPrice;
    QString alertKind;
};

using RowSnapshots = std::vector<RowSnapshot>;

RowSnapshots takeSnapshot(const WatchListModel& model);

} // namespace tavrin

Q_DECLARE_METATYPE(tavrin::RowSnapshots)
