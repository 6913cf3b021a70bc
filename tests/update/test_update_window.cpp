#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/program_pictures.h"
#include "app/update/update_controller.h"
#include "app/update/update_window_names.h"
#include "app/update/updater.h"
#include "platform/curl_http_client.h"
#include "store/watch_list_model.h"
#include "tavrin/version.h"
#include "tests/support/owner_window.h"
#include "tests/support/quote_sim_process.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::update_window_names;

Q_DECLARE_METATYPE(tavrin::HttpResponse)

namespace {

// The update server as the test sets it: one answer for every request; with
// hold set, each request waits until released.
class FakeUpdateServer final : public HttpClient {
public:
    HttpResponse get(const QByteArray&) override {
        if (hold)
            release.acquire();
        return response;
    }
    HttpResponse response;
    std::atomic<bool> hold{false};
    QSemaphore release;
};

QByteArray manifest(const char* version, const char* flag) {
    return QByteArray("最新版本2：V") + version + "版 \n更新摘要2：更快，更稳。（完）\n是否强制更新：" +
           flag + "（重要更新）\n";
}

// An updater that leaves a file beside itself when it runs.
bool writeStandInUpdater(const QString& directory) {
    QFile script(updaterPath(directory));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\necho started > \"$(dirname \"$0\")/started\"\n");
    script.close();
    return script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::OwnerWindow> m_owner;
    std::unique_ptr<QTemporaryDir> m_directory;
    FakeUpdateServer* m_server = nullptr;
    std::unique_ptr<UpdateController> m_update;

    UpdateWindow* window() const { return m_update->window(); }
    template <typename T> T* control(const char* name) const {
        return window()->control<T>(QString::fromUtf8(name));
    }
    QString startedMarker() const { return m_directory->filePath(u"started"_s); }

    void makeController(const QString& server, std::unique_ptr<HttpClient> http) {
        m_update = std::make_unique<UpdateController>(
            m_owner->window, m_owner->messages, UpdateSettings{server, m_directory->path()}, std::move(http));
    }

    // Presses the check button and waits until the check has told its result.
    bool check() {
        QSignalSpy finished(m_update.get(), &UpdateController::checkFinished);
        QTest::mouseClick(control<QPushButton>(names::checkButton), Qt::LeftButton);
        return !finished.isEmpty() || finished.wait(10000);
    }

private slots:
    void init() {
        m_owner = std::make_unique<test::OwnerWindow>();
        m_directory = std::make_unique<QTemporaryDir>();
        auto server = std::make_unique<FakeUpdateServer>();
        m_server = server.get();
        makeController(u"http://updates.invalid"_s, std::move(server));
        m_owner->window.action(main_window_names::updateCommand)->trigger();
        QVERIFY(window());
    }

    void cleanup() {
        if (m_server)
            m_server->release.release(16);
        m_update.reset();
        m_owner.reset();
        m_directory.reset();
    }

    void windowAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        const auto row = [](const char* name, const char* text, QRect geometry) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(text) << geometry;
        };
        row("标签1", "目前版本号:V", {20, 8, 72, 16});
        row("标签6", currentVersionText, {100, 8, 36, 16});
        row("标签5", "版", {144, 5, 16, 24});
        row("标签2", "最新版本号:", {20, 32, 64, 16});
        row("标签3", "", {85, 32, 48, 16});
        row("按钮1", "检测新版本", {220, 16, 80, 40});
        row("选择框1", "下载后自动安装", {196, 56, 104, 24});
        row("标签4", "新版本摘要:", {20, 64, 80, 16});
        row("编辑框1", "", {12, 80, 288, 80});
        row("按钮2", "立即更新", {188, 168, 96, 32});
    }

    void windowAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QWidget* widget = window()->control<QWidget>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(test::shownText(widget), text);
    }

    void windowStartsAsDesigned() {
        test::verifyOwnedWindow(*window(), m_owner->window, QSize(313, 236));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(QString::fromUtf8(currentVersionText), u"2.43"_s);
        QVERIFY(!control<QPushButton>(names::updateButton)->isEnabled());
        QVERIFY(control<QCheckBox>(names::installOption)->isChecked());
        QVERIFY(control<QLabel>(names::summaryCaption)->isHidden());
    }

    void theMenuCommandBringsTheOpenWindowForward() {
        UpdateWindow* first = window();
        m_owner->window.action(main_window_names::updateCommand)->trigger();
        QCOMPARE(window(), first);
        QCOMPARE(m_owner->window.findChildren<UpdateWindow*>().size(), 1);
        first->close();
        QTRY_VERIFY(!window());
        m_owner->window.action(main_window_names::updateCommand)->trigger();
        QVERIFY(window());
        QVERIFY(window()->isVisible());
        QCOMPARE(m_owner->window.findChildren<UpdateWindow*>().size(), 1);
    }

    void sameVersionNeedsNoUpdate_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::newRow("2.43") << QByteArray("2.43");
        QTest::newRow("2.430") << QByteArray("2.430");
    }

    void sameVersionNeedsNoUpdate() {
        QFETCH(QByteArray, version);
        m_server->response = {200, manifest(version.constData(), "否"), {}};
        QVERIFY(check());
        QCOMPARE(m_owner->messages.shown, std::vector<Message>{upToDateMessage()});
        QCOMPARE(m_owner->messages.shown.front().text, u"此版本为最新版本！无需更新！"_s);
        QCOMPARE(m_owner->messages.shown.front().caption, u"提示"_s);
        QVERIFY(!control<QPushButton>(names::updateButton)->isEnabled());
        QCOMPARE(control<QLabel>(names::latestVersion)->text(), QString());
        QVERIFY(control<QLabel>(names::summaryCaption)->isHidden());
    }

    void newVersionIsAnnounced_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("flag");
        QTest::addColumn<bool>("forced");
        QTest::newRow("2.50") << QByteArray("2.50") << QByteArray("否") << false;
        QTest::newRow("2.40 lower") << QByteArray("2.40") << QByteArray("否") << false;
        QTest::newRow("2.50 forced") << QByteArray("2.50") << QByteArray("是") << true;
        QTest::newRow("flag \" 是\"") << QByteArray("2.50") << QByteArray(" 是") << false;
    }

    void newVersionIsAnnounced() {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, flag);
        QFETCH(bool, forced);
        QVERIFY(writeStandInUpdater(m_directory->path()));
        m_server->response = {200, manifest(version.constData(), flag.constData()), {}};
        QVERIFY(check());

        const QString label = QString::fromLatin1(version) + u" 版"_s;
        QCOMPARE(control<QLabel>(names::latestVersion)->text(), label);
        QVERIFY(control<QPushButton>(names::updateButton)->isEnabled());
        QVERIFY(!control<QLabel>(names::summaryCaption)->isHidden());
        QCOMPARE(control<QPlainTextEdit>(names::summaryBox)->toPlainText(), u"更快，更稳。"_s);
        std::vector<Message> expected{newVersionMessage(label)};
        QCOMPARE(expected.front().text, u"发现新版本V"_s + label);
        QCOMPARE(expected.front().caption, u"信息："_s);
        if (forced)
            expected.push_back(forcedUpdateMessage());
        QCOMPARE(m_owner->messages.shown, expected);
        if (forced) {
            QCOMPARE(m_owner->messages.shown.back().text, u"强制自动更新！    "_s);
            QTRY_VERIFY(QFile::exists(startedMarker()));
        } else {
            QVERIFY(!QFile::exists(startedMarker()));
        }
        QVERIFY(m_owner->window.isVisible());
    }

    void unreadableManifestChangesNothing_data() {
        QTest::addColumn<HttpResponse>("response");
        QTest::newRow("failed fetch") << HttpResponse{0, {}, u"refused"_s};
        QTest::newRow("empty") << HttpResponse{200, {}, {}};
        QTest::newRow("no markers") << HttpResponse{200, "升级目录\n", {}};
    }

    void unreadableManifestChangesNothing() {
        QFETCH(HttpResponse, response);
        m_server->response = response;
        QVERIFY(check());
        QCOMPARE(m_owner->messages.shown, std::vector<Message>{unreadableManifestMessage()});
        QCOMPARE(m_owner->messages.shown.front().icon, MessageIcon::Error);
        QCOMPARE(control<QLabel>(names::latestVersion)->text(), QString());
        QVERIFY(!control<QPushButton>(names::updateButton)->isEnabled());
        QVERIFY(control<QLabel>(names::summaryCaption)->isHidden());
        QVERIFY(control<QPushButton>(names::checkButton)->isEnabled());
    }

    void checkButtonWaitsForTheAnswer() {
        m_server->hold = true;
        m_server->response = {200, manifest("2.43", "否"), {}};
        QSignalSpy finished(m_update.get(), &UpdateController::checkFinished);
        QTest::mouseClick(control<QPushButton>(names::checkButton), Qt::LeftButton);
        QVERIFY(!control<QPushButton>(names::checkButton)->isEnabled());
        // The window still answers: the fetch runs elsewhere.
        QTest::mouseClick(control<QCheckBox>(names::installOption), Qt::LeftButton);
        QVERIFY(!control<QCheckBox>(names::installOption)->isChecked());
        m_server->release.release();
        QVERIFY(finished.wait(10000));
        QVERIFY(control<QPushButton>(names::checkButton)->isEnabled());
    }

    void withoutAnUpdateServerTheCheckSaysSo() {
        makeController(QString(), std::make_unique<FakeUpdateServer>());
        m_server = nullptr;
        m_owner->window.action(main_window_names::updateCommand)->trigger();
        QVERIFY(check());
        QCOMPARE(m_owner->messages.shown, std::vector<Message>{noUpdateServerMessage()});
        QVERIFY(m_owner->messages.shown.front().text.contains(u"TAVRIN_UPDATE_URL"_s));
    }

    void updateButtonStartsTheUpdater() {
        QVERIFY(writeStandInUpdater(m_directory->path()));
        m_server->response = {200, manifest("2.50", "否"), {}};
        QVERIFY(check());
        QTest::mouseClick(control<QPushButton>(names::updateButton), Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(startedMarker()));
        QCOMPARE(m_owner->messages.shown.size(), size_t(1));
        QVERIFY(window()->isVisible());
    }

    void missingUpdaterIsNamed() {
        m_server->response = {200, manifest("2.50", "是"), {}};
        QVERIFY(check());
        const QString path = updaterPath(m_directory->path());
        QCOMPARE(m_owner->messages.shown,
                 (std::vector<Message>{newVersionMessage(u"2.50 版"_s), missingUpdaterMessage(path)}));
        QVERIFY(m_owner->messages.shown.back().text.contains(u"自动更新"_s));
        m_owner->messages.shown.clear();
        QTest::mouseClick(control<QPushButton>(names::updateButton), Qt::LeftButton);
        QCOMPARE(m_owner->messages.shown, std::vector<Message>{missingUpdaterMessage(path)});
    }

    void forcedUpdateFromTheSimulator() {
        QuoteSimProcess sim;
        QVERIFY(sim.start());
        QCOMPARE(sim.admin(u"/admin/version?v=2.50&forced=1"_s), QByteArray("ok"));
        QVERIFY(writeStandInUpdater(m_directory->path()));
        makeController(sim.baseUrl(), std::make_unique<CurlHttpClient>());
        m_server = nullptr;
        m_owner->window.action(main_window_names::updateCommand)->trigger();
        QVERIFY(check());
        QCOMPARE(m_owner->messages.shown,
                 (std::vector<Message>{newVersionMessage(u"2.50 版"_s), forcedUpdateMessage()}));
        QVERIFY(!control<QPlainTextEdit>(names::summaryBox)->toPlainText().isEmpty());
        QTRY_VERIFY(QFile::exists(startedMarker()));
    }
};

QTEST_MAIN(UpdateWindowTest)
#include "test_update_window.moc"
