#include "xvfb_server.h"

#include <QStandardPaths>
#include <csignal>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

XvfbServer::~XvfbServer() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished();
    }
}

bool XvfbServer::isInstalled() {
    return !QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty();
}

QByteArray XvfbServer::start() {
    // -displayfd 1: Xvfb picks a free number and writes it to our end of its stdout.
    m_process.setStandardErrorFile(QProcess::nullDevice());
    // Ends with the test even when the test crashes, so nothing waits on an orphan.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s,
                                u"640x480x24"_s});
    if (!m_process.waitForStarted())
        return {};
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(15000))
            return {};
    }
    const QByteArray number = m_process.readLine().trimmed();
    return number.isEmpty() ? QByteArray() : ':' + number;
}
