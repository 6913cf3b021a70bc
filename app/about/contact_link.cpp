#include "app/about/contact_link.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tavrin {

ContactSettings ContactSettings::fromEnvironment() {
    return {qEnvironmentVariable("TAVRIN_CONTACT_UIN"), qEnvironmentVariable("TAVRIN_CONTACT_SITE")};
}

QString contactLink(const ContactSettings& contact) {
    return u"tencent://Message/?Uin="_s + QString::fromLatin1(QUrl::toPercentEncoding(contact.account)) +
           u"&websiteName="_s + QString::fromLatin1(QUrl::toPercentEncoding(contact.site)) + u"&Menu=yes"_s;
}

void ShellLinkOpener::open(const QString& text) {
    const QUrl link(text, QUrl::StrictMode);
    if (!link.isValid())
        return;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QDesktopServices::openUrl(link);
#else
    auto* probe = new QProcess;
    QObject::connect(probe, &QProcess::finished, probe,
                     [probe, link](int exitCode, QProcess::ExitStatus status) {
                         const bool handled = status == QProcess::NormalExit && exitCode == 0 &&
                                              !probe->readAllStandardOutput().trimmed().isEmpty();
                         probe->deleteLater();
                         if (handled)
                             QDesktopServices::openUrl(link);
                     });
    QObject::connect(probe, &QProcess::errorOccurred, probe, [probe](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            probe->deleteLater();
    });
    probe->start(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"x-scheme-handler/"_s + link.scheme()});
#endif
}

} // namespace tavrin
