#include "app/main_window/main_window_names.h"
#include "app/market_views/quote_window.h"
#include "app/market_views/quote_window_command.h"
#include "app/market_views/quote_window_names.h"
#include "app/program.h"
#include "tests/app/edit_fixture.h"
#include "tests/market_views/test_quote_window_support.h"
#include "tests/support/quote_sim_process.h"

#include <QAction>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::main_window_names;

class QuoteWindowCommandTest : public QObject {
    Q_OBJECT

private:
    QuoteSimProcess m_sim{QStringList{u"--step-ms"_s, u"0"_s}};
    std::optional<EditFixture> m_edit;
    std::shared_ptr<RequestLog> m_log;
    std::unique_ptr<QuoteWindowCommand> m_command;

    MainWindow& mainWindow() { return m_edit->window; }
    QuoteWindow* quoteWindow() const { return m_command->quoteWindow(); }
    QString quoteCode() const {
        return quoteWindow()->control<QLineEdit>(QString::fromUtf8(quote_window_names::codeBox))->text();
    }
    // The menu command, then the first refresh of the quote window it opened.
    bool useCommand() {
        mainWindow().action(QString::fromUtf8(names::quoteWindowCommand))->trigger();
        if (!quoteWindow())
            return true;
        QSignalSpy refreshed(quoteWindow(), &QuoteWindow::refreshed);
        return refreshed.wait(10000);
    }
    QRect dockedAt() const {
        const QRect main = m_edit->window.frameGeometry();
        return {main.right() + 2, main.top() - 75, 575, main.height() + 70};
    }

private slots:
    void initTestCase() { QVERIFY(m_sim.start()); }
    void init() {
        m_edit.emplace(m_sim.baseUrl());
        m_log = std::make_shared<RequestLog>();
        const auto log = m_log;
        m_command = std::make_unique<QuoteWindowCommand>(
            mainWindow(), [log] { return std::make_unique<RecordingHttp>(log); }, m_sim.baseUrl(),
            m_sim.baseUrl());
        // As the program wires it.
        connect(mainWindow().action(QString::fromUtf8(names::quoteWindowCommand)), &QAction::triggered,
                m_command.get(), &QuoteWindowCommand::open);
        connect(&mainWindow(), &MainWindow::positionChanged, m_command.get(),
                [this] { m_command->dockTo(mainWindow().frameGeometry()); });
        m_edit->seed(u"贵州茅台"_s, u"600519"_s);
        m_edit->seed(u"平安银行"_s, u"000001"_s);
        m_edit->seed(u"五位代码"_s, u"60051"_s);
        QVERIFY(m_edit->showActive());
        QCOMPARE(mainWindow().frameGeometry(), QRect(50, 50, 466, 219));
        QCOMPARE(mainWindow().screen()->availableGeometry().left(), 0);
    }
    void cleanup() {
        m_command.reset();
        m_edit.reset();
    }

    void opensDockedAtTheRightEdgeOnTheSelectedCode();
    void withoutASelectionItShowsTheIndex();
    void aCodeOfAnotherLengthOpensNothing();
    void repeatedUseStaysOnScreenAndShowsTheNewCode();
    void followsTheMainWindow();
    void aClosedWindowOpensAnew();
    void theProgramWiresTheCommand();
};

void QuoteWindowCommandTest::opensDockedAtTheRightEdgeOnTheSelectedCode() {
    QVERIFY(m_command->editRowHidden());
    m_edit->select(0);
    QSignalSpy lookedUp(&m_edit->stocks, &StockCommands::codeLookedUp);
    QVERIFY(useCommand());

    // The cost row uncovered, with the code in it and its look-up run.
    QCOMPARE(mainWindow().frameGeometry().height(), 219 + 48);
    QVERIFY(!m_command->editRowHidden());
    QCOMPARE(m_edit->box(names::codeBox)->text(), u"600519"_s);
    QVERIFY(lookedUp.count() > 0 || lookedUp.wait(10000));
    QVERIFY(!m_edit->box(names::purchasePriceBox)->text().trimmed().isEmpty());

    // From 50, 50 the main window stops at the screen's left edge.
    QCOMPARE(mainWindow().frameGeometry().topLeft(), QPoint(0, 50));
    QVERIFY(quoteWindow());
    QCOMPARE(quoteWindow()->parentWidget(), &mainWindow());
    QVERIFY(quoteWindow()->isVisible());
    QVERIFY(!quoteWindow()->isModal());
    QTRY_COMPARE(quoteWindow()->frameGeometry(), QRect(467, -25, 575, 337));
    QCOMPARE(quoteCode(), u"600519"_s);
    QCOMPARE(m_command->codeToShow(), u"600519"_s);
    QCOMPARE(m_log->paths(m_sim.baseUrl().toUtf8()),
             (QByteArrayList{"/q=sh600519", "/newchart/min/n/sh600519.gif"}));
}

void QuoteWindowCommandTest::withoutASelectionItShowsTheIndex() {
    m_edit->select(-1);
    QVERIFY(useCommand());
    QVERIFY(m_edit->box(names::codeBox)->text().isEmpty());
    QVERIFY(quoteWindow());
    QCOMPARE(quoteCode(), u"000001"_s);
    QCOMPARE(m_log->paths(m_sim.baseUrl().toUtf8()).value(0), QByteArray("/q=sh000001"));
}

void QuoteWindowCommandTest::aCodeOfAnotherLengthOpensNothing() {
    m_edit->select(2);
    QVERIFY(useCommand());
    QVERIFY(!quoteWindow());
    QCOMPARE(m_edit->box(names::codeBox)->text(), u"60051"_s);
    // The rest of the command runs all the same.
    QCOMPARE(mainWindow().frameGeometry(), QRect(0, 50, 466, 267));
}

void QuoteWindowCommandTest::repeatedUseStaysOnScreenAndShowsTheNewCode() {
    mainWindow().move(400, 300);
    const int expectedLefts[] = {230, 60, 0, 0, 0};
    for (int use = 0; use < 5; ++use) {
        m_edit->select(use % 2);
        QVERIFY(useCommand());
        QCOMPARE(mainWindow().frameGeometry(), QRect(expectedLefts[use], 300, 466, 267));
        QTRY_COMPARE(quoteWindow()->frameGeometry(), dockedAt());
        QCOMPARE(quoteCode(), use % 2 == 0 ? u"600519"_s : u"000001"_s);
    }
    const QByteArrayList paths = m_log->paths(m_sim.baseUrl().toUtf8());
    QVERIFY(paths.contains("/q=sh600519"));
    QVERIFY(paths.contains("/q=sh000001"));
    QCOMPARE(mainWindow().findChildren<QuoteWindow*>().size(), 1);
}

void QuoteWindowCommandTest::followsTheMainWindow() {
    m_edit->select(0);
    QVERIFY(useCommand());
    mainWindow().setOuterSize({466, 219});
    mainWindow().move(100, 300);
    QTRY_COMPARE(quoteWindow()->frameGeometry(), QRect(567, 225, 575, 289));
}

void QuoteWindowCommandTest::aClosedWindowOpensAnew() {
    m_edit->select(0);
    QVERIFY(useCommand());
    QPointer<QuoteWindow> first = quoteWindow();
    QVERIFY(first->close());
    QTRY_VERIFY(!first);
    QVERIFY(!quoteWindow());
    m_edit->select(1);
    QVERIFY(useCommand());
    QVERIFY(quoteWindow());
    QCOMPARE(quoteCode(), u"000001"_s);
}

void QuoteWindowCommandTest::theProgramWiresTheCommand() {
    cleanup();
    QTemporaryDir data;
    qputenv("TAVRIN_DATA_DIR", data.path().toLocal8Bit());
    qputenv("TAVRIN_QUOTE_URL", m_sim.baseUrl().toLatin1());
    qputenv("TAVRIN_CHART_URL", m_sim.baseUrl().toLatin1());
    Program program{QIcon()};
    program.start();
    MainWindow& window = program.window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.action(QString::fromUtf8(names::quoteWindowCommand))->trigger();
    QuoteWindow* quote = program.quoteWindow().quoteWindow();
    QVERIFY(quote);
    QSignalSpy refreshed(quote, &QuoteWindow::refreshed);
    QVERIFY(refreshed.wait(10000));
    QCOMPARE(refreshed.first().first().value<QuoteWindowReplyStatus>(), QuoteWindowReplyStatus::Shown);
    QCOMPARE(quote->chart().picture().size(), QSize(545, 300));
    window.setOuterSize({466, 219});
    window.move(100, 300);
    QTRY_COMPARE(quote->frameGeometry(), QRect(567, 225, 575, 289));
}

QTEST_MAIN(QuoteWindowCommandTest)
#include "test_quote_window_command.moc"
