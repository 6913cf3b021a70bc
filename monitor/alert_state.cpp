#include "monitor/alert_state.h"

#include "quotes/number_text.h"

#include <cmath>
#include <limits>

namespace tavrin {

int countFromText(QStringView text) {
    const double value = std::trunc(textToDouble(text));
    if (!(value > std::numeric_limits<int>::min()))
        return value < 0 ? std::numeric_limits<int>::min() : 0;
    if (value >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

namespace {

QString fallSwitchKey(const QString& name) {
    return name + alert_ini::fallSwitchSuffix;
}

QString fallCountKey(const QString& name) {
    return name + alert_ini::fallCountSuffix;
}

} // namespace

StockAlertState readStockAlertState(const ProfileEditor& ini, const QString& name) {
    StockAlertState state;
    state.referencePrice = ini.read(alert_ini::referencePriceSection, name);
    state.riseCount = countFromText(ini.read(alert_ini::countSection, name));
    const int streakLength = countFromText(ini.read(alert_ini::streakLengthSection, name));
    state.streakLength = streakLength > 0 ? streakLength : defaultStreakLength;
    state.fallSwitch = ini.read(alert_ini::fallSwitchSection, fallSwitchKey(name));
    state.fallCount = countFromText(ini.read(alert_ini::countSection, fallCountKey(name)));
    state.targetCount = countFromText(ini.read(alert_ini::targetCountSection, name));
    return state;
}

void writeReferencePrice(ProfileEditor& ini, const QString& name, QStringView priceText) {
    ini.write(alert_ini::referencePriceSection, name, priceText);
}

void writeRiseCount(ProfileEditor& ini, const QString& name, int count) {
    ini.write(alert_ini::countSection, name, QString::number(count));
}

void writeFallCount(ProfileEditor& ini, const QString& name, int count) {
    ini.write(alert_ini::countSection, fallCountKey(name), QString::number(count));
}

void writeTargetCount(ProfileEditor& ini, const QString& name, int count) {
    ini.write(alert_ini::targetCountSection, name, QString::number(count));
}

namespace {

bool addStock(ProfileEditor& editor, const QString& name, QStringView streakLengthText, bool fallAlso) {
    const bool streak = editor.write(alert_ini::streakLengthSection, name, streakLengthText);
    const bool fall = editor.write(alert_ini::fallSwitchSection, fallSwitchKey(name),
                                   fallAlso ? alert_ini::fallSwitchOn : alert_ini::fallSwitchOff);
    return streak && fall;
}

} // namespace

Status writeStockAdded(Profile& ini, const QString& name, QStringView streakLengthText, bool fallAlso) {
    bool written = false;
    const Status saved = ini.transaction(
        [&](ProfileEditor& editor) { written = addStock(editor, name, streakLengthText, fallAlso); });
    if (saved && !written)
        return ini.unwritable(alert_ini::streakLengthSection, name);
    return saved;
}

Status resetTargetCount(Profile& ini, const QString& name) {
    return ini.write(alert_ini::targetCountSection, name, u"0");
}

Status removeTargetCount(Profile& ini, const QString& name) {
    return ini.remove(alert_ini::targetCountSection, name);
}

bool writeStockAdded(AlertStateStore& state, const QString& name, QStringView streakLengthText,
                     bool fallAlso) {
    bool written = false;
    const bool inFile = state.edit(
        [&](ProfileEditor& editor) { written = addStock(editor, name, streakLengthText, fallAlso); });
    return written && inFile;
}

bool resetTargetCount(AlertStateStore& state, const QString& name) {
    bool written = false;
    const bool inFile = state.edit(
        [&](ProfileEditor& editor) { written = editor.write(alert_ini::targetCountSection, name, u"0"); });
    return written && inFile;
}

bool removeTargetCount(AlertStateStore& state, const QString& name) {
    return state.edit([&](ProfileEditor& editor) { editor.remove(alert_ini::targetCountSection, name); });
}

} // namespace tavrin
