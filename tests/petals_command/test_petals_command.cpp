#include "app/petals_command/load_failure_message.h"
#include "app/petals_command/petals_command.h"
#include "tests/app/edit_fixture.h"
#include "tests/petals_command/fake_effect_loader.h"

#include <QTest>

using namespace tavrin;
using namespace tavrin::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavrin::LoadFailure)
Q_DECLARE_METATYPE(tavrin::LoadedEffect)

// The command's logic with a fake loader: the option box decides, a bound effect
// is kept and called at every use, a failed load is an error box.
class PetalsCommandTest : public QObject {
    Q_OBJECT
private slots:
    void clicks_data();
    void clicks();
    void failureBoxNamesTheLibraryAndTheExport_data();
    void failureBoxNamesTheLibraryAndTheExport();
};

void PetalsCommandTest::clicks_data() {
    QTest::addColumn<LoadFailure>("failure");
    QTest::addColumn<QList<bool>>("ticked"); // the option box at each click
    QTest::addColumn<int>("loads");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("bound");

    const auto ok = LoadFailure::None;
    QTest::newRow("unticked: nothing, nothing loaded") << ok << QList{false, false} << 0 << 0 << 0 << false;
    QTest::newRow("unticked with no library: no box")
        << LoadFailure::LibraryMissing << QList{false} << 0 << 0 << 0 << false;
    QTest::newRow("ticked: loaded and called") << ok << QList{true} << 1 << 1 << 0 << true;
    QTest::newRow("loaded once, called each time") << ok << QList{true, true, true} << 1 << 3 << 0 << true;
    QTest::newRow("loaded at the first ticked click")
        << ok << QList{false, true, false, true} << 1 << 2 << 0 << true;
    QTest::newRow("missing file: a box, asked again next time")
        << LoadFailure::LibraryMissing << QList{true, true} << 2 << 0 << 2 << false;
    QTest::newRow("unusable file: a box")
        << LoadFailure::LibraryUnusable << QList{true} << 1 << 0 << 1 << false;
    QTest::newRow("missing export: a box")
        << LoadFailure::ExportMissing << QList{true} << 1 << 0 << 1 << false;
    QTest::newRow("missing export, then unticked")
        << LoadFailure::ExportMissing << QList{true, false} << 1 << 0 << 1 << false;
}

void PetalsCommandTest::clicks() {
    QFETCH(LoadFailure, failure);
    QFETCH(QList<bool>, ticked);
    EffectCalls calls;
    FakeMessages messages;
    PetalsCommand command(std::make_unique<FakeEffectLoader>(calls, failure), messages);
    for (const bool box : ticked)
        command.trigger(box);
    QTEST(calls.loads, "loads");
    QTEST(calls.runs, "runs");
    QTEST(int(messages.shown.size()), "boxes");
    QTEST(command.isBound(), "bound");
    for (const Message& shown : messages.shown)
        QCOMPARE(shown, loadFailureMessage({.failure = failure, .library = u"libLumeve.so"_s}));
}

void PetalsCommandTest::failureBoxNamesTheLibraryAndTheExport_data() {
    QTest::addColumn<LoadedEffect>("failed");
    QTest::addColumn<QStringList>("named");
    QTest::newRow("missing file") << LoadedEffect{.failure = LoadFailure::LibraryMissing,
                                                  .library = u"libLumeve.so"_s,
                                                  .folder = u"/opt/tavrin"_s}
                                  << QStringList{u"“libLumeve.so”"_s, u"“玫瑰花”"_s, u"/opt/tavrin"_s};
    QTest::newRow("unusable file") << LoadedEffect{.failure = LoadFailure::LibraryUnusable,
                                                   .library = u"/opt/tavrin/libLumeve.so"_s,
                                                   .reason = u"file too short"_s}
                                   << QStringList{u"“/opt/tavrin/libLumeve.so”"_s, u"“玫瑰花”"_s,
                                                  u"file too short"_s};
    QTest::newRow("missing export") << LoadedEffect{.failure = LoadFailure::ExportMissing,
                                                    .library = u"/opt/tavrin/libLumeve.so"_s}
                                    << QStringList{u"“/opt/tavrin/libLumeve.so”"_s, u"“玫瑰花”"_s};
}

void PetalsCommandTest::failureBoxNamesTheLibraryAndTheExport() {
    QFETCH(LoadedEffect, failed);
    QFETCH(QStringList, named);
    const Message message = loadFailureMessage(failed);
    QCOMPARE(message.caption, u"错误："_s);
    QCOMPARE(message.icon, MessageIcon::Error);
    QCOMPARE(message.owner, MessageOwner::MainWindow);
    for (const QString& name : named)
        QVERIFY2(message.text.contains(name), qPrintable(message.text));
    QVERIFY(message.text.endsWith(u"玫瑰花屏保没有启动，股价监控照常进行。"_s));
}

QTEST_GUILESS_MAIN(PetalsCommandTest)
#include "test_petals_command.moc"
