#include "tools/quote-sim/universe.h"

#include <array>
#include <cstdio>
#include <vector>

namespace tavrin::sim {

namespace {

// Prices and sizes are rough but plausible, so that the program under test
// shows numbers of a familiar order.
const std::array<Listing, 41> listings{{
    {"sh", "000001", "上证指数", 3050.12, 320000000, 0, true},
    {"sz", "399001", "深证成指", 9480.35, 410000000, 0, true},
    {"sz", "399006", "创业板指", 1850.66, 150000000, 0, true},
    {"sh", "600519", "贵州茅台", 1680.00, 25000, 12.56, false},
    {"sh", "601318", "中国平安", 45.20, 520000, 182.1, false},
    {"sh", "600036", "招商银行", 33.50, 480000, 252.2, false},
    {"sh", "603259", "药明康德", 52.30, 310000, 29.5, false},
    {"sh", "600000", "浦发银行", 7.20, 350000, 293.5, false},
    {"sh", "600030", "中信证券", 21.50, 900000, 148.2, false},
    {"sh", "600276", "恒瑞医药", 44.80, 260000, 63.8, false},
    {"sh", "600900", "长江电力", 26.90, 400000, 244.7, false},
    {"sh", "601012", "隆基绿能", 18.60, 700000, 75.8, false},
    {"sh", "601398", "工商银行", 5.40, 2100000, 3564.1, false},
    {"sh", "601857", "中国石油", 8.10, 1500000, 1830.2, false},
    {"sh", "601888", "中国中免", 68.00, 150000, 20.7, false},
    {"sh", "600887", "伊利股份", 28.40, 330000, 63.7, false},
    {"sh", "600309", "万华化学", 82.50, 120000, 31.4, false},
    {"sh", "688981", "中芯国际", 48.50, 650000, 79.5, false},
    {"sh", "204001", "GC001", 1.85, 90000000, 0, false},
    {"sz", "000001", "平安银行", 10.50, 1100000, 194.1, false},
    {"sz", "000002", "万科Ａ", 7.80, 1300000, 119.3, false},
    {"sz", "000063", "中兴通讯", 27.60, 600000, 47.8, false},
    {"sz", "000333", "美的集团", 62.00, 230000, 70.2, false},
    {"sz", "000651", "格力电器", 38.50, 280000, 56.3, false},
    {"sz", "000725", "京东方Ａ", 4.10, 3100000, 376.5, false},
    {"sz", "000858", "五粮液", 140.00, 160000, 38.8, false},
    {"sz", "002202", "金风科技", 8.90, 450000, 42.3, false},
    {"sz", "002415", "海康威视", 31.00, 350000, 92.3, false},
    {"sz", "002475", "立讯精密", 30.20, 520000, 72.0, false},
    {"sz", "002594", "比亚迪", 230.00, 130000, 29.1, false},
    {"sz", "002714", "牧原股份", 40.10, 280000, 54.6, false},
    {"sz", "159915", "创业板ETF", 2.10, 9000000, 0, false},
    {"sz", "300750", "宁德时代", 190.00, 260000, 44.0, false},
    {"sz", "300059", "东方财富", 14.20, 2200000, 158.7, false},
    {"sz", "300760", "迈瑞医疗", 280.00, 40000, 12.1, false},
    {"sz", "300015", "爱尔眼科", 15.80, 700000, 93.3, false},
    {"sz", "301072", "中捷精工", 25.00, 30000, 1.1, false},
    {"bj", "830799", "艾融软件", 22.00, 30000, 2.0, false},
    {"bj", "430047", "诺思兰德", 12.00, 40000, 2.7, false},
    {"bj", "920002", "万达轴承", 40.00, 10000, 0.3, false},
    // 銅 is 0xE3 0x7E in GBK: a '~' byte inside a character.
    {"sz", "000630", "銅陵有色", 3.20, 2400000, 126.8, false},
}};

std::vector<Listing>& store() {
    static std::vector<Listing> all(listings.begin(), listings.end());
    return all;
}

} // namespace

std::span<const Listing> universe() {
    return store();
}

void addSyntheticListings(int count) {
    // Alternately Shanghai 605xxx and Shenzhen 003xxx: codes no real listing above uses.
    std::vector<Listing>& all = store();
    for (int i = 0; i < count && i < 2000; ++i) {
        const bool shanghai = i % 2 == 0;
        char code[8];
        std::snprintf(code, sizeof code, "%s%03d", shanghai ? "605" : "003", i / 2);
        all.push_back({shanghai ? "sh" : "sz", code, "模拟股份" + std::to_string(i + 1),
                       5.0 + (i % 97) * 0.73, 100000 + i * 37LL, 5.0, false});
    }
}

} // namespace tavrin::sim
