#pragma once

#include "monitor/alert_state_store.h"
#include "monitor/log_sink.h"
#include "monitor/notifier.h"
#include "monitor/price_direction.h"
#include "monitor/sound_player.h"

#include <QString>
#include <vector>

namespace tavrin {

// The cells of one watch-list row that the alert check reads, as shown.
struct AlertRow {
    QString name;
    QString price;      // latest price
    QString change;     // change percent
    QString profit;     // position profit or loss
    QString alertPrice; // empty: no target alert
    QString alertKind;  // "上涨到", "下跌到", "止盈卖"
};

// The alert channel check boxes, as they were when the check started.
struct AlertOptions {
    bool balloons = true; // balloons for streak alerts; target balloons are always shown
    bool sound = true;    // sounds for every alert
};

// The alert check: streak rules (a price moving the same way a number of checks
// in a row) and target rules (a price or profit reaching the alert price), with
// their state in the alert state file. Safe to run on several threads at once:
// each check holds the state file's lock.
class AlertRules {
public:
    AlertRules(AlertStateStore& state, Notifier& notifier, SoundPlayer& sounds, LogSink& log);

    // Checks the rows in order, reading the state file once and saving it once.
    // When the file cannot be read or saved the rows are checked all the same, on
    // the state kept in memory, and the user is told once per run; false then.
    bool check(const std::vector<AlertRow>& rows, const AlertOptions& options);

private:
    // One row against the loaded state; its log lines are added to log.
    void checkRow(ProfileEditor& state, const AlertRow& row, const AlertOptions& options, QStringList& log);

    AlertStateStore& m_state;
    Notifier& m_notifier;
    SoundPlayer& m_sounds;
    LogSink& m_log;
};

} // namespace tavrin
