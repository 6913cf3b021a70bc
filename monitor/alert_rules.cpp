#include "alert_rules.h"

#include "alert_state.h"
#include "alert_texts.h"
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

AlertRules::AlertRules(Profile& state, Notifier& notifier, SoundPlayer& sounds, LogSink& log)
    : state_(state), notifier_(notifier), sounds_(sounds), log_(log) {}

bool AlertRules::check(const std::vector<AlertRow>& rows, const AlertOptions& options) {
    return state_.transaction([&](ProfileEditor& state) {
        for (const AlertRow& row : rows)
            checkRow(state, row, options);
    });
}

void AlertRules::checkRow(ProfileEditor& state, const AlertRow& row, const AlertOptions& options) {
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
        log_.writeLine(upwardMoveLog(name));
        log_.writeLine(upwardMoveDetailLog(name, working.referencePrice, row.price, riseCount));
    }

    if (riseCount >= working.streakLength) {
        log_.writeLine(riseStreakLog(name, riseCount));
        if (options.balloons)
            notifier_.showBalloon(riseStreakBalloon(name, riseCount, row.price, row.change));
        if (options.sound)
            sounds_.play(Sound::Rising);
        riseCount = 0;
        writeRiseCount(state, name, 0);
    }

    if (price - reference < -directionThreshold) {
        writeRiseCount(state, name, 0);
        writeReferencePrice(state, name, row.price);
        log_.writeLine(downwardMoveLog(name));
        if (working.fallSwitch == alert_ini::fallSwitchOn) {
            ++fallCount;
            log_.writeLine(fallCountedLog(name, fallCount));
            writeFallCount(state, name, fallCount);
        }
    }

    if (fallCount >= working.streakLength) {
        log_.writeLine(fallStreakLog(name, fallCount, row.price, row.change));
        if (options.balloons)
            notifier_.showBalloon(fallStreakBalloon(name, fallCount, row.price, row.change));
        if (options.sound)
            sounds_.play(Sound::Falling);
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
        notifier_.showBalloon(targetBalloon(kind, name, row.alertPrice));
        if (options.sound)
            sounds_.play(Sound::Target);
    }
    if (targetCount >= targetCountWrap) {
        targetCount = 0;
        writeTargetCount(state, name, 0);
    }
}

} // namespace tavrin
