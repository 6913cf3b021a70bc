#pragma once

#include "monitor/notifier.h"

#include <QString>
#include <QStringView>

// The balloons and log messages of the alert check, word for word.
namespace tavrin {

enum class TargetKind { None, RiseTo, FallTo, TakeProfit };

// "上涨到", "下跌到" or "止盈卖", compared exactly; anything else is None.
TargetKind targetKindFromText(QStringView text);

Balloon riseStreakBalloon(const QString& name, int count, const QString& price, const QString& change);
Balloon fallStreakBalloon(const QString& name, int count, const QString& price, const QString& change);
Balloon targetBalloon(TargetKind kind, const QString& name, const QString& alertPrice);

QString upwardMoveLog(const QString& name);
QString upwardMoveDetailLog(const QString& name, const QString& oldReference, const QString& price,
                            int count);
QString riseStreakLog(const QString& name, int count);
QString downwardMoveLog(const QString& name);
QString fallCountedLog(const QString& name, int count);
QString fallStreakLog(const QString& name, int count, const QString& price, const QString& change);

// Told once per run when the alert state cannot be kept in gupiao.ini.
Balloon stateUnsavedBalloon();
QString stateUnsavedLog();

} // namespace tavrin
