#pragma once

#include <QByteArray>
#include <QProcess>

// An Xvfb of the test's own on a free display number, ended with the object.
class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();

    static bool isInstalled();
    // Empty when the server did not come up.
    QByteArray start();

    Q_DISABLE_COPY_MOVE(XvfbServer)

private:
    QProcess m_process;
};
