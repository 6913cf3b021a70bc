#include "bench/refresh_pass/bench_support.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;

namespace tavrin::bench {

QString generatedCode(int i) {
    i %= 2000;
    return u"%1%2"_s.arg(i % 2 == 0 ? u"605" : u"003").arg(i / 2, 3, 10, QLatin1Char('0'));
}

std::vector<StockRecord> watchList(int size) {
    std::vector<StockRecord> records;
    records.reserve(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
        StockRecord record;
        record.id = QString::number(i + 1);
        record.daima = generatedCode(i);
        record.mingcheng = u"模拟股份"_s + QString::number(i + 1);
        record.cjjg = u"10"_s;
        record.cjsl = u"100"_s;
        records.push_back(record);
    }
    return records;
}

QByteArray quoteRequests(QuoteSimProcess& sim) {
    const QByteArray stats = sim.admin(u"/admin/stats"_s);
    const qsizetype at = stats.indexOf("quote_requests=");
    return at < 0 ? QByteArray("?") : stats.mid(at + 15, stats.indexOf('\n', at) - at - 15);
}

double peakResidentMb() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void findQuoteSim() {
    if (qEnvironmentVariableIsEmpty("TAVRIN_QUOTE_SIM"))
        qputenv("TAVRIN_QUOTE_SIM", (QCoreApplication::applicationDirPath() + u"/quote-sim"_s).toUtf8());
}

} // namespace tavrin::bench
