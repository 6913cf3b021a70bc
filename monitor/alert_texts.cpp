#include "monitor/alert_texts.h"

namespace tavrin {

namespace {

constexpr int streakBalloonMs = 5000;
constexpr int targetBalloonMs = 1000;
constexpr int stateUnsavedBalloonMs = 10000;

constexpr QStringView stateUnsavedTitle = u"预警状态无法保存";
constexpr QStringView stateUnsavedBody = u"无法读取或写入 gupiao.ini：预警照常运行，但预警计数不会保存。";

} // namespace

TargetKind targetKindFromText(QStringView text) {
    if (text == u"上涨到")
        return TargetKind::RiseTo;
    if (text == u"下跌到")
        return TargetKind::FallTo;
    if (text == u"止盈卖")
        return TargetKind::TakeProfit;
    return TargetKind::None;
}

Balloon riseStreakBalloon(const QString& name, int count, const QString& price, const QString& change) {
    const QString title = name + u"股价上涨预警↑";
    const QString body = name + u"单位时间内已经连续" + QString::number(count) +
                         u"次都比上一时间持续上涨,请详细查看该资金流量。当前股价:" + price + u"↑ 涨跌幅" +
                         change;
    return makeBalloon(title, body, int(BalloonIcon::Information), streakBalloonMs);
}

Balloon fallStreakBalloon(const QString& name, int count, const QString& price, const QString& change) {
    const QString title = name + u"股价下跌预警↓";
    const QString body = name + u"单位时间内已经连续" + QString::number(count) +
                         u"次都比上一时间持续下跌,请详细查看该资金流量.当前股价:" + price + u"↓ 涨跌幅" +
                         change;
    return makeBalloon(title, body, int(BalloonIcon::Warning), streakBalloonMs);
}

Balloon targetBalloon(TargetKind kind, const QString& name, const QString& alertPrice) {
    QString body;
    switch (kind) {
    case TargetKind::RiseTo:
        body = name + u"股价已上涨到" + alertPrice + u"元";
        break;
    case TargetKind::FallTo:
        body = name + u"股价已下跌到" + alertPrice + u"元";
        break;
    case TargetKind::TakeProfit:
        body = name + u"股价已盈利已超过" + alertPrice + u"元";
        break;
    case TargetKind::None:
        break;
    }
    return makeBalloon(QString(name + u"股价预警"), body, int(BalloonIcon::Information), targetBalloonMs);
}

QString upwardMoveLog(const QString& name) {
    return u"[" + name + u"]股价同比上分钟上涨，下跌计数数重新开始";
}

QString upwardMoveDetailLog(const QString& name, const QString& oldReference, const QString& price,
                            int count) {
    return u"[" + name + u"]原来股票价格:" + oldReference + u" 当前股价:" + price + u"。 已经连续" +
           QString::number(count) + u"分钟上涨.";
}

QString riseStreakLog(const QString& name, int count) {
    return u"↑[" + name + u"]已经持续上涨" + QString::number(count) + u"分钟达到警告值，发送警告";
}

QString downwardMoveLog(const QString& name) {
    return u"[" + name + u"]股价同比上一分钟低记录上涨记录重新开始";
}

QString fallCountedLog(const QString& name, int count) {
    return u"[" + name + u"]股价同比上一分钟低下跌,记录" + QString::number(count) + u"次.";
}

QString fallStreakLog(const QString& name, int count, const QString& price, const QString& change) {
    return u"↓[" + name + u"]已经持续下跌" + QString::number(count) + u"次发送预警。当前股价:" + price +
           u"涨跌幅↓" + change;
}

Balloon stateUnsavedBalloon() {
    return makeBalloon(stateUnsavedTitle, stateUnsavedBody, int(BalloonIcon::Warning), stateUnsavedBalloonMs);
}

QString stateUnsavedLog() {
    return stateUnsavedTitle + u"：" + stateUnsavedBody;
}

} // namespace tavrin
