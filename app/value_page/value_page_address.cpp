#include "app/value_page/value_page_address.h"

#include "platform/gbk.h"
#include "quotes/market_prefix.h"

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

QString withoutTrailingSlash(QString base) {
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

} // namespace

QString valueServiceUrl() {
    return qEnvironmentVariable("TAVRIN_VALUE_URL");
}

QUrl valuePageUrl(const QString& base, const QString& code) {
    // The code is typed by the user: whatever is not a plain query character is encoded.
    return QUrl(withoutTrailingSlash(base) + u"/quote/tools/ggtj_z.aspx?StockCode="_s +
                    QString::fromLatin1(QUrl::toPercentEncoding(code)),
                QUrl::StrictMode);
}

QByteArray valueQuoteUrl(const QString& base, const QString& code) {
    const QString prefix = valuePagePrefix(code);
    if (prefix.isEmpty())
        return {};
    // The service reads GBK; digits pass as they are.
    return withoutTrailingSlash(base).toUtf8() + "/q=" + prefix.toLatin1() +
           QUrl::toPercentEncoding(QString::fromLatin1(gbk::encode(code)));
}

QString notConfiguredPage() {
    return u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>投资价值</title></head>"
           "<body style=\"font-family: sans-serif; margin: 24px; color: #333\">"
           "<h3>没有配置价值页面服务器</h3>"
           "<p>请在启动程序前设置环境变量 <code>TAVRIN_VALUE_URL</code>，例如：</p>"
           "<p><code>TAVRIN_VALUE_URL=http://服务器地址</code></p>"
           "<p>程序将打开该服务器上的 /quote/tools/ggtj_z.aspx?StockCode=股票代码 页面。</p>"
           "</body></html>"_s;
}

} // namespace tavrin
