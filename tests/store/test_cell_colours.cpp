#include "store/cell_colours.h"
#include "store/rgb.h"

#include <QTest>
#include <vector>

using namespace tavrin;

namespace {

// One call of set: row, column, text and background in the 0xBBGGRR form, and
// whether the table is expected to change.
struct Call {
    int row;
    int column;
    quint32 text;
    quint32 background;
    bool changes;
};

constexpr quint32 red = 255;
constexpr quint32 green = 0xFF00;
constexpr quint32 blue = 0xFF0000;
constexpr quint32 black = 0;
constexpr quint32 white = 0xFFFFFF;

CellColourEntry entry(int row, int column, quint32 text, quint32 background) {
    return CellColourEntry{row, column, rgbFromBgr(text), rgbFromBgr(background)};
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Call>)
Q_DECLARE_METATYPE(std::vector<CellColourEntry>)

class CellColoursTest : public QObject {
    Q_OBJECT
private slots:
    void bgrConversion_data();
    void bgrConversion();
    void rules_data();
    void rules();
    void lookup();
};

void CellColoursTest::bgrConversion_data() {
    QTest::addColumn<quint32>("bgr");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::newRow("red") << red << 255 << 0 << 0;
    QTest::newRow("green") << green << 0 << 255 << 0;
    QTest::newRow("blue") << blue << 0 << 0 << 255;
    QTest::newRow("black") << black << 0 << 0 << 0;
    QTest::newRow("white") << white << 255 << 255 << 255;
    QTest::newRow("mixed") << quint32{0x123456} << 0x56 << 0x34 << 0x12;
}

void CellColoursTest::bgrConversion() {
    QFETCH(quint32, bgr);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    const Rgb colour = rgbFromBgr(bgr);
    QCOMPARE(int{colour.red}, r);
    QCOMPARE(int{colour.green}, g);
    QCOMPARE(int{colour.blue}, b);
    QCOMPARE(bgrFromRgb(colour), bgr);
    QVERIFY(rgbFromBgr(0xFF000000u | bgr) == colour); // the unused high byte is ignored
}

void CellColoursTest::rules_data() {
    QTest::addColumn<std::vector<Call>>("calls");
    QTest::addColumn<std::vector<CellColourEntry>>("expected");

    using Entries = std::vector<CellColourEntry>;
    QTest::newRow("black on white on an empty cell leaves the table unchanged")
        << std::vector<Call>{{0, 3, black, white, false}} << Entries{};
    QTest::newRow("red on white is added")
        << std::vector<Call>{{0, 3, red, white, true}} << Entries{entry(0, 3, red, white)};
    QTest::newRow("the same red twice keeps one entry")
        << std::vector<Call>{{0, 3, red, white, true}, {0, 3, red, white, false}}
        << Entries{entry(0, 3, red, white)};
    QTest::newRow("green overwrites red")
        << std::vector<Call>{{2, 3, red, white, true}, {2, 3, green, white, true}}
        << Entries{entry(2, 3, green, white)};
    QTest::newRow("black on white removes the entry")
        << std::vector<Call>{{1, 6, blue, white, true}, {1, 6, black, white, true}} << Entries{};
    QTest::newRow("black text on another background is kept")
        << std::vector<Call>{{0, 0, black, red, true}} << Entries{entry(0, 0, black, red)};
    QTest::newRow("white on white is not the list's own pair")
        << std::vector<Call>{{0, 0, white, white, true}} << Entries{entry(0, 0, white, white)};
    QTest::newRow("cells are keyed by row and column")
        << std::vector<Call>{{0, 3, red, white, true},
                             {0, 4, blue, white, true},
                             {1, 3, green, white, true},
                             {0, 4, black, white, true}}
        << Entries{entry(0, 3, red, white), entry(1, 3, green, white)};
    QTest::newRow("a blue row painted black again is empty")
        << std::vector<Call>{{4, 0, blue, white, true},  {4, 1, blue, white, true},
                             {4, 2, blue, white, true},  {4, 0, black, white, true},
                             {4, 1, black, white, true}, {4, 2, black, white, true},
                             {4, 3, black, white, false}}
        << Entries{};
    QTest::newRow("positions beyond any list are kept")
        << std::vector<Call>{{500, 10, red, white, true}} << Entries{entry(500, 10, red, white)};
}

void CellColoursTest::rules() {
    QFETCH(std::vector<Call>, calls);
    QFETCH(std::vector<CellColourEntry>, expected);
    CellColours table;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const Call& call = calls[i];
        QVERIFY2(table.set(call.row, call.column, rgbFromBgr(call.text), rgbFromBgr(call.background)) ==
                     call.changes,
                 qPrintable(QStringLiteral("call %1").arg(i)));
    }
    QVERIFY(table.entries() == expected);
    QCOMPARE(table.size(), expected.size());
}

void CellColoursTest::lookup() {
    CellColours table;
    QVERIFY(!table.lookup(0, 3).has_value());
    table.set(0, 3, colours::green, colours::white);
    const auto found = table.lookup(0, 3);
    QVERIFY(found.has_value());
    QVERIFY(*found == (CellColourEntry{0, 3, colours::green, colours::white}));
    QVERIFY(!table.lookup(3, 0).has_value());
    QVERIFY(!table.lookup(0, 4).has_value());
}

QTEST_GUILESS_MAIN(CellColoursTest)
#include "test_cell_colours.moc"
