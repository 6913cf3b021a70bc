#include "app/widgets/edit_box.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

using namespace tavrin;

namespace {

// One key press per character, each carrying its text (keyClicks knows ASCII only).
void typeText(QWidget& widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void commitFromInputMethod(QWidget& widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class EditBoxTest : public QObject {
    Q_OBJECT

private slots:
    void typingStopsAtTheLimit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shorter") << QStringLiteral("123") << QStringLiteral("123");
        QTest::newRow("exactly") << QStringLiteral("600519") << QStringLiteral("600519");
        QTest::newRow("longer") << QStringLiteral("60051912") << QStringLiteral("600519");
        QTest::newRow("Chinese characters")
            << QStringLiteral("上涨到下跌到止盈卖") << QStringLiteral("上涨到下跌到");
    }

    void typingStopsAtTheLimit() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        EditBox box;
        box.setTypingLimit(6);
        typeText(box, typed);
        QCOMPARE(box.text(), expected);
    }

    void programTextsAreKeptWhole() {
        EditBox box;
        box.setTypingLimit(6);
        box.setText(QStringLiteral("1234567890"));
        QCOMPARE(box.text(), QStringLiteral("1234567890"));
        QVERIFY(box.hasAcceptableInput());
    }

    void anOverlongTextCanBeShortenedButNotLengthened() {
        EditBox box;
        box.setTypingLimit(6);
        box.setText(QStringLiteral("1234567890"));
        box.end(false);
        QTest::keyClick(&box, Qt::Key_5);
        QCOMPARE(box.text(), QStringLiteral("1234567890"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("123456789"));
        box.selectAll();
        QTest::keyClicks(&box, QStringLiteral("abcdefgh"));
        QCOMPARE(box.text(), QStringLiteral("abcdef"));
    }

    void insertionsAreCutToWhatFits_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("at the end") << QStringLiteral("12") << 2 << QStringLiteral("345678")
                                    << QStringLiteral("123456");
        QTest::newRow("in the middle")
            << QStringLiteral("1290") << 2 << QStringLiteral("345678") << QStringLiteral("123490");
        QTest::newRow("Chinese") << QString() << 0 << QStringLiteral("上涨到下跌到止盈卖")
                                 << QStringLiteral("上涨到下跌到");
        QTest::newRow("nothing fits")
            << QStringLiteral("123456") << 3 << QStringLiteral("ab") << QStringLiteral("123456");
    }

    void insertionsAreCutToWhatFits() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, inserted);
        QFETCH(QString, expected);
        EditBox box;
        box.setTypingLimit(6);
        box.setText(before);
        box.setCursorPosition(cursor);
        commitFromInputMethod(box, inserted);
        QCOMPARE(box.text(), expected);

        box.setText(before);
        box.setCursorPosition(cursor);
        QApplication::clipboard()->setText(inserted);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.text(), expected);
    }

    void anInsertionThatFitsCanBeUndone() {
        EditBox box;
        box.setTypingLimit(6);
        QTest::keyClicks(&box, QStringLiteral("1234"));
        QTest::keyClicks(&box, QStringLiteral("567"));
        QCOMPARE(box.text(), QStringLiteral("123456"));
        box.undo();
        QVERIFY(box.text().size() < 6);
    }

    void noLimitTakesEverything() {
        EditBox box;
        QTest::keyClicks(&box, QStringLiteral("12345678901234567890"));
        QCOMPARE(box.text(), QStringLiteral("12345678901234567890"));
    }

    void typedTextIsReported() {
        EditBox box;
        box.setTypingLimit(6);
        int edits = 0;
        connect(&box, &QLineEdit::textEdited, this, [&edits] { ++edits; });
        QTest::keyClicks(&box, QStringLiteral("1234567"));
        QCOMPARE(edits, 6);
    }
};

QTEST_MAIN(EditBoxTest)
#include "test_edit_box.moc"
