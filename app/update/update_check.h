#pragma once

#include "app/delivery/message_sink.h"
#include "app/update/manifest.h"
#include "platform/http_client.h"

#include <QByteArray>
#include <QString>

namespace tavrin {

// The update server from TAVRIN_UPDATE_URL; empty when none is configured.
QString updateServiceUrl();

// The manifest's address on the server at base: /CXGX/升级目录.txt, percent-encoded.
QByteArray manifestUrl(const QString& base);

enum class UpdateFinding {
    Unreadable, // not fetched, empty, or without a marked latest version
    UpToDate,
    NewVersion, // any other version, a lower one too
};

struct UpdateCheckResult {
    UpdateFinding finding = UpdateFinding::Unreadable;
    Manifest manifest;
};

// What the manifest fetched says against the current version.
UpdateCheckResult checkManifest(const HttpResponse& response, QStringView currentVersion);

// The boxes of the update check, all owned by the main window.
Message newVersionMessage(const QString& latestVersionLabel);
Message forcedUpdateMessage();
Message upToDateMessage();
Message unreadableManifestMessage();
Message noUpdateServerMessage();
Message missingUpdaterMessage(const QString& path);
Message updaterNotStartedMessage(const QString& path);

} // namespace tavrin
