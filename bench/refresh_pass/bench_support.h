#pragma once

#include "store/stock_record.h"
#include "tests/support/quote_sim_process.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace tavrin::bench {

// The simulator's generated stocks 605000, 003000, 605001, ...; at most 2000 distinct.
QString generatedCode(int i);

// A watch list of size rows over the generated codes (repeated past 2000), each
// row with a name of its own so that every row has its own alert state.
std::vector<StockRecord> watchList(int size);

// The simulator's quote request count since the last stats reset.
QByteArray quoteRequests(QuoteSimProcess& sim);

// The peak resident memory of this process so far, in MB (Linux), or -1.
double peakResidentMb();

// Points TAVRIN_QUOTE_SIM at the simulator beside the program unless set.
void findQuoteSim();

} // namespace tavrin::bench
