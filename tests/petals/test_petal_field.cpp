#include "petals/petal_field.h"
#include "scripted_random.h"

#include <QTest>
#include <vector>

using namespace tavrin::petals;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavrin::petals::Petal)
Q_DECLARE_METATYPE(std::vector<std::uint32_t>)

namespace {

constexpr int screenW = 1920;
constexpr int screenH = 1080;

// The sizes of the embedded pictures, picture n for template n.
std::vector<Petal> realTemplates() {
    return {{1, 0, 0, 133, 81},  {2, 0, 0, 119, 66},  {3, 0, 0, 150, 218}, {4, 0, 0, 150, 218},
            {5, 0, 0, 150, 218}, {6, 0, 0, 153, 214}, {7, 0, 0, 206, 172}, {8, 0, 0, 96, 103}};
}

// Scripted values are r itself: template k is k - 1, a coordinate in [0, max]
// is the coordinate.
struct Field {
    explicit Field(std::initializer_list<std::uint32_t> script = {}) : random(script), field(random) {
        field.setTemplates(realTemplates());
        field.setScreenSize(screenW, screenH);
    }
    ScriptedRandom random;
    PetalField field;
};

// The click that puts a petal's corner at corner: corner + size / 2, and for an
// odd size the half pixel that truncation toward zero takes off again.
int clickFor(int corner, int size) {
    if (size % 2 == 0)
        return corner + size / 2;
    return corner + size / 2 + (corner >= 0 ? 1 : 0);
}

// A petal of template k (1-based) with its top-left corner at x, y, placed by
// a double click.
void placeAt(Field& f, int k, int x, int y) {
    const Petal t = realTemplates()[static_cast<std::size_t>(k - 1)];
    f.random.script({static_cast<std::uint32_t>(k - 1)});
    f.field.addPetalAt(clickFor(x, t.width), clickFor(y, t.height));
    Q_ASSERT(f.field.petals().back().x == x && f.field.petals().back().y == y);
}

} // namespace

class PetalFieldTest : public QObject {
    Q_OBJECT
private slots:
    void firstPetalsLieOnTheScreen_data();
    void firstPetalsLieOnTheScreen();
    void neighbourChecksRunOnceEach_data();
    void neighbourChecksRunOnceEach();
    void laterRunsCompareWithTheListsPetalAtThatPosition();
    void firstTickTopsUpAboveTheTopEdge();
    void petalsFallStraightFivePerTick();
    void aPetalGoesOnlyBelowTheBottomEdge_data();
    void aPetalGoesOnlyBelowTheBottomEdge();
    void doubleClickAddsBeyondTheTargetAndNothingSpawns();
    void doubleClickCentresAndTruncatesTowardZero_data();
    void doubleClickCentresAndTruncatesTowardZero();
    void aSecondRunCarriesThePetalsOn();
    void reseedingPoints_data();
    void reseedingPoints();
    void randomIntegerRange_data();
    void randomIntegerRange();
};

void PetalFieldTest::firstPetalsLieOnTheScreen_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1920 x 1080") << 1920 << 1080;
    QTest::newRow("800 x 600") << 800 << 600;
    QTest::newRow("1 x 1") << 1 << 1;
}

void PetalFieldTest::firstPetalsLieOnTheScreen() {
    QFETCH(int, width);
    QFETCH(int, height);
    for (int round = 0; round < 50; ++round) {
        SystemRandom random;
        PetalField field(random);
        field.setTemplates(realTemplates());
        field.setScreenSize(width, height);
        field.scatterFirstPetals();
        QCOMPARE(field.petals().size(), std::size_t(PetalField::firstPetals));
        for (const Petal& p : field.petals()) {
            QVERIFY(p.picture >= 1 && p.picture <= 8);
            QCOMPARE(p.width, realTemplates()[static_cast<std::size_t>(p.picture - 1)].width);
            QVERIFY2(p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height,
                     qPrintable(u"%1, %2"_s.arg(p.x).arg(p.y)));
        }
    }
}

void PetalFieldTest::neighbourChecksRunOnceEach_data() {
    QTest::addColumn<std::vector<std::uint32_t>>("secondDraws");
    QTest::addColumn<Petal>("second");
    // The first petal is template 1 (133 x 81) at 0, 0.
    QTest::newRow("nothing close") << std::vector<std::uint32_t>{1, 500, 400} << Petal{2, 500, 400, 119, 66};
    QTest::newRow("same picture drawn anew once, not compared again")
        << std::vector<std::uint32_t>{0, 500, 400, 0, 600, 500} << Petal{1, 600, 500, 133, 81};
    QTest::newRow("x closer than its width drawn anew once")
        << std::vector<std::uint32_t>{1, 100, 400, 50} << Petal{2, 50, 400, 119, 66};
    QTest::newRow("y closer than its height drawn anew once")
        << std::vector<std::uint32_t>{1, 500, 65, 10} << Petal{2, 500, 10, 119, 66};
    QTest::newRow("the new petal's own size decides")
        << std::vector<std::uint32_t>{7, 100, 400} << Petal{8, 100, 400, 96, 103};
    QTest::newRow("exactly its size apart is not close")
        << std::vector<std::uint32_t>{1, 119, 66} << Petal{2, 119, 66, 119, 66};
    QTest::newRow("all three, the redrawn petal's size used")
        << std::vector<std::uint32_t>{0, 10, 10, 6, 150, 100, 900, 700} << Petal{7, 900, 700, 206, 172};
}

void PetalFieldTest::neighbourChecksRunOnceEach() {
    QFETCH(std::vector<std::uint32_t>, secondDraws);
    QFETCH(Petal, second);
    Field f({0, 0, 0});
    for (const std::uint32_t v : secondDraws)
        f.random.script({v});
    f.field.scatterFirstPetals();
    QCOMPARE(f.field.petals().size(), std::size_t(6));
    QCOMPARE(f.field.petals()[0], (Petal{1, 0, 0, 133, 81}));
    QCOMPARE(f.field.petals()[1], second);
}

void PetalFieldTest::laterRunsCompareWithTheListsPetalAtThatPosition() {
    Field f;
    placeAt(f, 3, 300, 300); // carried over from an earlier run
    // New first petal: template 2 at 700, 700. New second: template 3 at 310,
    // 500, the carried petal's picture, so drawn anew as template 4 at 800, 600.
    f.random.script({1, 700, 700, 2, 310, 500, 3, 800, 600});
    f.field.scatterFirstPetals();
    QCOMPARE(f.field.petals().size(), std::size_t(7));
    QCOMPARE(f.field.petals()[1], (Petal{2, 700, 700, 119, 66}));
    QCOMPARE(f.field.petals()[2], (Petal{4, 800, 600, 150, 218}));
}

void PetalFieldTest::firstTickTopsUpAboveTheTopEdge() {
    SystemRandom random;
    PetalField field(random);
    field.setTemplates(realTemplates());
    field.setScreenSize(screenW, screenH);
    field.scatterFirstPetals();
    const std::vector<Petal> first = field.petals();
    field.advanceTick();
    QCOMPARE(field.petals().size(), std::size_t(PetalField::targetPetals));
    std::size_t kept = 0;
    for (const Petal& p : first)
        kept += p.y + PetalField::fallPerTick <= screenH ? 1 : 0;
    for (std::size_t k = kept; k < field.petals().size(); ++k) {
        const Petal& p = field.petals()[k];
        QVERIFY2(p.y + p.height < 0 && p.y >= -p.height - screenH, qPrintable(QString::number(p.y)));
        QVERIFY(p.x >= 0 && p.x <= screenW);
    }
}

void PetalFieldTest::petalsFallStraightFivePerTick() {
    Field f;
    placeAt(f, 1, 10, -500);
    placeAt(f, 7, 1700, 20);
    placeAt(f, 8, -40, 900);
    const std::vector<Petal> before = f.field.petals();
    for (int tick = 1; tick <= 3; ++tick) {
        f.field.advanceTick();
        for (std::size_t k = 0; k < before.size(); ++k) {
            Petal expected = before[k];
            expected.y += 5 * tick;
            QCOMPARE(f.field.petals()[k], expected);
        }
    }
}

void PetalFieldTest::aPetalGoesOnlyBelowTheBottomEdge_data() {
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("stays");
    QTest::newRow("reaches H: stays") << screenH - 5 << true;
    QTest::newRow("reaches H + 1: goes") << screenH - 4 << false;
    QTest::newRow("from H to H + 5: goes") << screenH << false;
    QTest::newRow("well above: stays") << 0 << true;
}

void PetalFieldTest::aPetalGoesOnlyBelowTheBottomEdge() {
    QFETCH(int, y);
    QFETCH(bool, stays);
    Field f;
    placeAt(f, 2, 100, y);
    f.field.advanceTick();
    QCOMPARE(f.field.petals().size(), std::size_t(20));
    const Petal& first = f.field.petals().front();
    QCOMPARE(first.y == y + 5 && first.x == 100, stays);
    if (stays) {
        // It stays for exactly one more tick at y = H.
        f.field.advanceTick();
        QCOMPARE(f.field.petals().front().y == y + 10, y + 10 <= screenH);
    }
}

void PetalFieldTest::doubleClickAddsBeyondTheTargetAndNothingSpawns() {
    Field f;
    // Two of the twenty reach the bottom edge on the next tick and go on the one after.
    for (int i = 0; i < 20; ++i)
        placeAt(f, 1 + i % 8, 50 * i, i == 4 || i == 9 ? screenH - 5 : 100);
    placeAt(f, 3, 900, 400);
    QCOMPARE(f.field.petals().size(), std::size_t(21));
    f.random.clearEvents();
    f.field.advanceTick();
    QCOMPARE(f.field.petals().size(), std::size_t(21));
    QCOMPARE(f.random.events(), u"R"_s); // the spawn step draws nothing
    f.random.clearEvents();
    f.field.advanceTick();
    // 19 left: one spawned, wholly above the top edge.
    QCOMPARE(f.field.petals().size(), std::size_t(20));
    QCOMPARE(f.random.events(), u"Rnnn"_s);
    QVERIFY(f.field.petals().back().y < -f.field.petals().back().height);
}

void PetalFieldTest::doubleClickCentresAndTruncatesTowardZero_data() {
    QTest::addColumn<int>("templateIndex");
    QTest::addColumn<int>("clickX");
    QTest::addColumn<int>("clickY");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("133 x 81 at 10, 10") << 0 << 10 << 10 << -56 << -30;
    QTest::newRow("133 x 81 at 1, 1") << 0 << 1 << 1 << -65 << -39;
    QTest::newRow("119 x 66 at 0, 0") << 1 << 0 << 0 << -59 << -33;
    QTest::newRow("96 x 103 at 47, 51") << 7 << 47 << 51 << -1 << 0;
    QTest::newRow("133 x 81 at 100, 100") << 0 << 100 << 100 << 33 << 59;
    QTest::newRow("206 x 172 at the far corner") << 6 << 1919 << 1079 << 1816 << 993;
}

void PetalFieldTest::doubleClickCentresAndTruncatesTowardZero() {
    QFETCH(int, templateIndex);
    QFETCH(int, clickX);
    QFETCH(int, clickY);
    QFETCH(int, x);
    QFETCH(int, y);
    Field f({static_cast<std::uint32_t>(templateIndex)});
    f.field.addPetalAt(clickX, clickY);
    QCOMPARE(f.field.petals().size(), std::size_t(1));
    Petal expected = realTemplates()[static_cast<std::size_t>(templateIndex)];
    expected.x = x;
    expected.y = y;
    QCOMPARE(f.field.petals().front(), expected);
}

void PetalFieldTest::aSecondRunCarriesThePetalsOn() {
    Field f;
    f.field.scatterFirstPetals();
    f.field.advanceTick();
    const std::vector<Petal> carried = f.field.petals();
    QCOMPARE(carried.size(), std::size_t(20));
    f.field.scatterFirstPetals();
    QCOMPARE(f.field.petals().size(), std::size_t(26));
    QVERIFY(std::equal(carried.begin(), carried.end(), f.field.petals().begin()));
    for (std::size_t k = 20; k < 26; ++k)
        QVERIFY(f.field.petals()[k].y >= 0 && f.field.petals()[k].y <= screenH);
}

void PetalFieldTest::reseedingPoints_data() {
    QTest::addColumn<int>("petalsBefore");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("events");
    // With every value 0 the template is always the same and every position 0,
    // so all three neighbour checks redraw: 3 values for the first petal, 8 for
    // each of the other five.
    QTest::newRow("scatter") << 0 << u"scatter"_s << u"R"_s + QString(3 + 5 * 8, u'n');
    QTest::newRow("spawn 3") << 0 << u"spawn 3"_s << u"Rnnnnnnnnn"_s;
    QTest::newRow("spawn 0") << 0 << u"spawn 0"_s << u"R"_s;
    QTest::newRow("spawn -2") << 0 << u"spawn -2"_s << u"R"_s;
    QTest::newRow("tick with 20") << 20 << u"tick"_s << u"R"_s;
    QTest::newRow("tick with 18") << 18 << u"tick"_s << u"Rnnnnnn"_s;
    QTest::newRow("double click") << 0 << u"click"_s << u"Rn"_s;
    QTest::newRow("double click with 20") << 20 << u"click"_s << u"Rn"_s;
}

void PetalFieldTest::reseedingPoints() {
    QFETCH(int, petalsBefore);
    QFETCH(QString, operation);
    QFETCH(QString, events);
    Field f;
    for (int i = 0; i < petalsBefore; ++i)
        placeAt(f, 1, 0, 0);
    f.random.clearEvents();
    for (int i = 0; i < 64; ++i)
        f.random.script({0});
    if (operation == u"scatter")
        f.field.scatterFirstPetals();
    else if (operation.startsWith(u"spawn "))
        f.field.spawn(operation.mid(6).toInt());
    else if (operation == u"tick")
        f.field.advanceTick();
    else
        f.field.addPetalAt(500, 500);
    QCOMPARE(f.random.events(), events);
}

void PetalFieldTest::randomIntegerRange_data() {
    QTest::addColumn<std::uint32_t>("r");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("result");
    QTest::newRow("0 in 1..8") << 0u << 1 << 8 << 1;
    QTest::newRow("7 in 1..8") << 7u << 1 << 8 << 8;
    QTest::newRow("8 wraps in 1..8") << 8u << 1 << 8 << 1;
    QTest::newRow("W is reachable") << 1920u << 0 << 1920 << 1920;
    QTest::newRow("W + 1 wraps") << 1921u << 0 << 1920 << 0;
    QTest::newRow("largest value") << 0xFFFFFFFFu << 0 << 1080 << int(0xFFFFFFFFu % 1081u);
    QTest::newRow("single value") << 12345u << 5 << 5 << 5;
    QTest::newRow("empty range gives min") << 3u << 1 << 0 << 1;
}

void PetalFieldTest::randomIntegerRange() {
    QFETCH(std::uint32_t, r);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, result);
    ScriptedRandom random({r});
    QCOMPARE(randomInt(random, min, max), result);
}

QTEST_APPLESS_MAIN(PetalFieldTest)
#include "test_petal_field.moc"
