#include "monitor/alert_rules.h"

#include "monitor/alert_state.h"
#include "monitor/alert_texts.h"
#include "quotes/number_text.h"

namespace tavrin {

namespace {

bool targetHolds(TargetKind kind, double price, double profit, double alertPrice) {
    switch (kind) {
    case TargetKind::RiseTo:
        return price - alertPrice >= -directionThreshold;
    case TargetKind::FallTo:
        return price - alertPrice <= directionThreshold;
    case TargetKind::TakeProfit:
        return profit - alertPrice >= -directionThreshold;
    case TargetKind::None:
        break;
    }
    return false;
}

constexpr int targetCountWrap = 10;

} // namespace

AlertRules::AlertRules(AlertStateStore& state, Notifier& notifier, SoundPlayer& sounds, LogSink& log)
    : m_state(state), m_notifier(notifier), m_sounds(sounds), m_log(log) {}

bool AlertRules::check(const std::vector<AlertRow>& rows, const AlertOptions& options) {
    // The lines of a whole check go to the log in one write, after the state is saved.
    QStringList log;
    const bool inFile = m_state.edit([&](ProfileEditor& state) {
        for (const AlertRow& row : rows)
            checkRow(state, row, options, log);
    });
    const bool warn = m_state.takeWarning();
    if (warn)
        log.append(stateUnsavedLog());
    m_log.writeLines(log);
    if (warn)
        m_notifier.showBalloon(stateUnsavedBalloon());
    return inFile;
}

void AlertRules::checkRow(ProfileEditor& state, const AlertRow& row, const AlertOptions& options,
                          QStringList& log) {
    const double price = textToDouble(row.price);
    // No quote yet: an empty or zero price is no move, and must not become the reference.
    if (price == 0.0)
        return;
    // A row without a name has no key to keep its state under: checking it would
    // raise the same move again at every tick.
    const QString& name = row.name;
    if (name.isEmpty())
        return;

    const StockAlertState working = readStockAlertState(state, name);
    const double reference = textToDouble(working.referencePrice);
    int riseCount = working.riseCount;
    int fallCount = working.fallCount;
    int targetCount = working.targetCount;

    if (price - reference > directionThreshold) {
        writeReferencePrice(state, name, row.price);
        ++riseCount;
        writeRiseCount(state, name, riseCount);
        writeFallCount(state, name, 0);
        log.append(upwardMoveLog(name));
        log.append(upwardMoveDetailLog(name, working.referencePrice, row.price, riseCount));
    }

    if (riseCount >= working.streakLength) {
        log.append(riseStreakLog(name, riseCount));
        if (options.balloons)
            m_notifier.showBalloon(riseStreakBalloon(name, riseCount, row.price, row.change));
        if (options.sound)
            m_sounds.play(Sound::Rising);
        riseCount = 0;
        writeRiseCount(state, name, 0);
    }

    if (price - reference < -directionThreshold) {
        writeRiseCount(state, name, 0);
        writeReferencePrice(state, name, row.price);
        log.append(downwardMoveLog(name));
        if (working.fallSwitch == alert_ini::fallSwitchOn) {
            ++fallCount;
            log.append(fallCountedLog(name, fallCount));
            writeFallCount(state, name, fallCount);
        }
    }

    if (fallCount >= working.streakLength) {
        log.append(fallStreakLog(name, fallCount, row.price, row.change));
        if (options.balloons)
            m_notifier.showBalloon(fallStreakBalloon(name, fallCount, row.price, row.change));
        if (options.sound)
            m_sounds.play(Sound::Falling);
        fallCount = 0;
        writeFallCount(state, name, 0);
    }

    if (row.alertPrice.isEmpty())
        return;
    const TargetKind kind = targetKindFromText(row.alertKind);
    if (!targetHolds(kind, price, textToDouble(row.profit), textToDouble(row.alertPrice)))
        return;
    ++targetCount;
    writeTargetCount(state, name, targetCount);
    if (targetCount == 1) {
        m_notifier.showBalloon(targetBalloon(kind, name, row.alertPrice));
        if (options.sound)
            m_sounds.play(Sound::Target);
    }
    if (targetCount >= targetCountWrap) {
        targetCount = 0;
        writeTargetCount(state, name, 0);
    }
}

} // namespace tavrin
