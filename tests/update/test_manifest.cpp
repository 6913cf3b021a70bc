#include "app/update/manifest.h"
#include "app/update/update_check.h"

#include <QTest>

using namespace tavrin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavrin::UpdateFinding)
Q_DECLARE_METATYPE(tavrin::HttpResponse)

namespace {

QByteArray manifest(const char* version, const char* flag, const char* summary = "修正若干问题。") {
    return QByteArray("升级目录\n\n最新版本2：V") + version + "版 \n\n更新摘要2：" + summary +
           "（完）\n\n地址链接2：http://example.invalid/d（更新版本）\n\n是否强制更新：" + flag +
           "（重要更新）\n";
}

HttpResponse served(const QByteArray& body) {
    return {200, body, {}};
}

} // namespace

class ManifestTest : public QObject {
    Q_OBJECT

private slots:
    void textBetweenMarkers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("value");
        QTest::newRow("between") << u"a[x]b"_s << u"["_s << u"]"_s << u"x"_s;
        QTest::newRow("no trimming") << u"a[ x \n]b"_s << u"["_s << u"]"_s << u" x \n"_s;
        QTest::newRow("first start only") << u"[one] [two]"_s << u"["_s << u"]"_s << u"one"_s;
        QTest::newRow("end searched after the start") << u"] [x]"_s << u"["_s << u"]"_s << u"x"_s;
        QTest::newRow("start missing") << u"a x]b"_s << u"["_s << u"]"_s << QString();
        QTest::newRow("end missing") << u"a[x b"_s << u"["_s << u"]"_s << QString();
        QTest::newRow("empty between") << u"[]"_s << u"["_s << u"]"_s << QString();
        QTest::newRow("#引号 is a double quote") << u"k=\"v\";"_s << u"k=#引号"_s << u"#引号;"_s << u"v"_s;
        QTest::newRow("case-sensitive") << u"Ab[x]"_s << u"ab["_s << u"]"_s << QString();
    }

    void textBetweenMarkers() {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, value);
        QCOMPARE(tavrin::textBetweenMarkers(text, start, end), value);
    }

    void readsTheFourValues() {
        const Manifest read = readManifest(manifestText(manifest("2.50", "是", "1. 更快；\r\n2. 更稳。")));
        QCOMPARE(read.version, u"2.50"_s);
        QCOMPARE(read.summary, u"1. 更快；\r\n2. 更稳。"_s);
        QCOMPARE(read.link, u"http://example.invalid/d"_s);
        QCOMPARE(read.forcedFlag, u"是"_s);
        QVERIFY(read.forced());
    }

    void checkAgainstTheCurrentVersion_data() {
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<UpdateFinding>("finding");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("forced");
        const auto row = [](const char* name, HttpResponse response, UpdateFinding finding,
                            const char* version, bool forced) {
            QTest::newRow(name) << response << finding << QString::fromUtf8(version) << forced;
        };
        row("2.43 equal", served(manifest("2.43", "否")), UpdateFinding::UpToDate, "2.43", false);
        row("2.430 equal", served(manifest("2.430", "否")), UpdateFinding::UpToDate, "2.430", false);
        row("2.50 not forced", served(manifest("2.50", "否")), UpdateFinding::NewVersion, "2.50", false);
        row("2.50 forced", served(manifest("2.50", "是")), UpdateFinding::NewVersion, "2.50", true);
        row("flag with a blank before", served(manifest("2.50", " 是")), UpdateFinding::NewVersion, "2.50",
            false);
        row("flag with a blank after", served(manifest("2.50", "是 ")), UpdateFinding::NewVersion, "2.50",
            false);
        row("2.40 lower, still announced", served(manifest("2.40", "否")), UpdateFinding::NewVersion, "2.40",
            false);
        row("duplicate start marker: the first counts",
            served(manifest("2.50", "否") + "最新版本2：V2.43版 \n"), UpdateFinding::NewVersion, "2.50",
            false);
        row("version marker missing", served("更新摘要2：摘要（完）\n是否强制更新：是（重要更新）\n"),
            UpdateFinding::Unreadable, "", true);
        row("version end marker missing", served("最新版本2：V2.50版\n"), UpdateFinding::Unreadable, "",
            false);
        row("text ends at a zero byte", served(QByteArray("升级目录\0", 13) + manifest("2.50", "是")),
            UpdateFinding::Unreadable, "", false);
        row("empty body", served({}), UpdateFinding::Unreadable, "", false);
        row("failed fetch", HttpResponse{0, {}, u"connection refused"_s}, UpdateFinding::Unreadable, "",
            false);
        row("not found", HttpResponse{404, "not found", {}}, UpdateFinding::Unreadable, "", false);
    }

    void checkAgainstTheCurrentVersion() {
        QFETCH(HttpResponse, response);
        QFETCH(UpdateFinding, finding);
        QFETCH(QString, version);
        QFETCH(bool, forced);
        const UpdateCheckResult result = checkManifest(response, u"2.43");
        QCOMPARE(result.finding, finding);
        QCOMPARE(result.manifest.version, version);
        QCOMPARE(result.manifest.forced(), forced);
    }

    void versionsAsSinglePrecisionNumbers_data() {
        QTest::addColumn<QString>("latest");
        QTest::addColumn<bool>("same");
        QTest::newRow("2.43") << u"2.43"_s << true;
        QTest::newRow("2.430") << u"2.430"_s << true;
        QTest::newRow("2.4300001 is the same float") << u"2.4300001"_s << true;
        QTest::newRow("2.4301") << u"2.4301"_s << false;
        QTest::newRow("no number") << u"abc"_s << false;
    }

    void versionsAsSinglePrecisionNumbers() {
        QFETCH(QString, latest);
        QFETCH(bool, same);
        QCOMPARE(sameVersion(latest, u"2.43"), same);
    }

    void manifestAddress() {
        QCOMPARE(manifestUrl(u"http://127.0.0.1:8/"_s),
                 QByteArray("http://127.0.0.1:8/CXGX/%E5%8D%87%E7%BA%A7%E7%9B%AE%E5%BD%95.txt"));
    }
};

QTEST_GUILESS_MAIN(ManifestTest)
#include "test_manifest.moc"
