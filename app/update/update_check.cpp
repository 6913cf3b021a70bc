#include "app/update/update_check.h"

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

const QString tipCaption = u"提示"_s;
const QString errorCaption = u"错误："_s;

} // namespace

QString updateServiceUrl() {
    return qEnvironmentVariable("TAVRIN_UPDATE_URL");
}

QByteArray manifestUrl(const QString& base) {
    QString trimmed = base;
    while (trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed.toUtf8() + "/CXGX/%E5%8D%87%E7%BA%A7%E7%9B%AE%E5%BD%95.txt";
}

UpdateCheckResult checkManifest(const HttpResponse& response, QStringView currentVersion) {
    UpdateCheckResult result;
    if (!response.ok())
        return result;
    result.manifest = readManifest(manifestText(response.body));
    // Without a version there is nothing to compare: not a version 0 to announce.
    if (result.manifest.version.isEmpty())
        return result;
    result.finding = sameVersion(result.manifest.version, currentVersion) ? UpdateFinding::UpToDate
                                                                          : UpdateFinding::NewVersion;
    return result;
}

Message newVersionMessage(const QString& latestVersionLabel) {
    return {.text = u"发现新版本V"_s + latestVersionLabel, .owner = MessageOwner::MainWindow};
}

Message forcedUpdateMessage() {
    return {u"强制自动更新！    "_s, tipCaption, MessageIcon::Information, MessageOwner::MainWindow};
}

Message upToDateMessage() {
    return {u"此版本为最新版本！无需更新！"_s, tipCaption, MessageIcon::Information,
            MessageOwner::MainWindow};
}

Message unreadableManifestMessage() {
    return {u"无法读取升级信息，请检查网络连接后再试。"_s, errorCaption, MessageIcon::Error,
            MessageOwner::MainWindow};
}

Message noUpdateServerMessage() {
    return {u"没有配置升级服务器，无法检测新版本。请设置环境变量 TAVRIN_UPDATE_URL。"_s, tipCaption,
            MessageIcon::Information, MessageOwner::MainWindow};
}

Message missingUpdaterMessage(const QString& path) {
    return {u"没有找到升级程序：%1"_s.arg(path), errorCaption, MessageIcon::Error, MessageOwner::MainWindow};
}

Message updaterNotStartedMessage(const QString& path) {
    return {u"无法启动升级程序：%1"_s.arg(path), errorCaption, MessageIcon::Error, MessageOwner::MainWindow};
}

} // namespace tavrin
