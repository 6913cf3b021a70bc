#pragma once

#include "monitor/alert_state_store.h"
#include "platform/profile.h"

#include <QString>
#include <QStringView>

// The per-stock alert state in gupiao.ini. Every key is built from the stock's
// name as shown in the list, so rows with the same name share their state.
namespace tavrin {

namespace alert_ini {
inline constexpr QStringView streakLengthSection = u"股票时间"; // key: name
inline constexpr QStringView fallSwitchSection = u"下跌预警";   // key: name + fallSwitchSuffix
inline constexpr QStringView fallSwitchSuffix = u"下跌预警";
inline constexpr QStringView referencePriceSection = u"股票价格"; // key: name
inline constexpr QStringView countSection = u"次数纪录"; // rise count: name; fall count: name + suffix
inline constexpr QStringView fallCountSuffix = u"下跌次数";
inline constexpr QStringView targetCountSection = u"预警次数"; // key: name
inline constexpr QStringView fallSwitchOn = u"真";
inline constexpr QStringView fallSwitchOff = u"假";
} // namespace alert_ini

// Used when a stock has no streak length, or one of 0 or less: raising both
// streak alerts at every check helps nobody.
inline constexpr int defaultStreakLength = 3;

// A count as stored: the leading number of the text, truncated towards zero
// (and held within int); 0 for an empty or non-numeric text.
int countFromText(QStringView text);

// One stock's entries as read at the start of its check.
struct StockAlertState {
    QString referencePrice; // latest-price text of the last move; empty at first
    int riseCount = 0;
    int streakLength = defaultStreakLength;
    QString fallSwitch; // "真" counts downward moves
    int fallCount = 0;
    int targetCount = 0;
};

StockAlertState readStockAlertState(const ProfileEditor& ini, const QString& name);

void writeReferencePrice(ProfileEditor& ini, const QString& name, QStringView priceText);
void writeRiseCount(ProfileEditor& ini, const QString& name, int count);
void writeFallCount(ProfileEditor& ini, const QString& name, int count);
void writeTargetCount(ProfileEditor& ini, const QString& name, int count);

// For the editors: a stock added with its streak length text and fall switch;
// an alert added or modified (target count "0"); an alert deleted (entry removed).
// A failure names the file.
Status writeStockAdded(Profile& ini, const QString& name, QStringView streakLengthText, bool fallAlso);
Status resetTargetCount(Profile& ini, const QString& name);
Status removeTargetCount(Profile& ini, const QString& name);

// The same through the run's alert state, so that the alert check sees them also
// while the state lives in memory. False when the entries did not reach the file
// (they are kept for the run all the same): the user should hear that the alert
// state cannot be saved.
bool writeStockAdded(AlertStateStore& state, const QString& name, QStringView streakLengthText,
                     bool fallAlso);
bool resetTargetCount(AlertStateStore& state, const QString& name);
bool removeTargetCount(AlertStateStore& state, const QString& name);

} // namespace tavrin
