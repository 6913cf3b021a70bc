#pragma once

#include <QString>

namespace tavrin {

// Who "与我联系" reaches: the messenger account and the web site named in the
// link. Ours, empty by default; TAVRIN_CONTACT_UIN and TAVRIN_CONTACT_SITE set them.
struct ContactSettings {
    QString account;
    QString site;

    static ContactSettings fromEnvironment();
};

// "tencent://Message/?Uin=<account>&websiteName=<site>&Menu=yes", the values
// percent-encoded. (As a QUrl its host reads "message": hosts know no case.)
QString contactLink(const ContactSettings& contact);

// Hands a link to whatever program the system has for its scheme.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual void open(const QString& link) = 0;
};

// QDesktopServices. Where a missing handler would have the system fall back to a
// web browser (xdg-open), the link is handed on only when a handler for its
// scheme is registered, so that without one nothing visible happens.
class ShellLinkOpener final : public LinkOpener {
public:
    void open(const QString& link) override;
};

} // namespace tavrin
