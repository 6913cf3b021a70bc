#include "tests/support/quote_sim_process.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

QByteArray unreachableBaseUrl() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return "http://127.0.0.1:" + QByteArray::number(port);
}

QuoteSimProcess::QuoteSimProcess(QStringList extraArguments) : m_arguments(std::move(extraArguments)) {}

QuoteSimProcess::~QuoteSimProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool QuoteSimProcess::start() {
    const QString program = qEnvironmentVariable("TAVRIN_QUOTE_SIM");
    if (program.isEmpty())
        return false;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, QStringList{QStringLiteral("--port"), QStringLiteral("0")} + m_arguments);
    if (!m_process.waitForStarted(5000))
        return false;
    QElapsedTimer timer;
    timer.start();
    QByteArray line;
    while (!line.contains('\n') && timer.elapsed() < 10000) {
        m_process.waitForReadyRead(200);
        line += m_process.readAllStandardOutput();
        if (m_process.state() == QProcess::NotRunning)
            return false;
    }
    m_baseUrl = QString::fromLatin1(line.left(line.indexOf('\n')).trimmed());
    return m_baseUrl.startsWith(QLatin1String("http://127.0.0.1:"));
}

QByteArray QuoteSimProcess::admin(const QString& pathAndQuery) {
    // A plain socket keeps the test support free of the code under test.
    const QUrl url(m_baseUrl);
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(url.port()));
    if (!socket.waitForConnected(3000))
        return {};
    socket.write("GET " + pathAndQuery.toUtf8() + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(3000))
        reply += socket.readAll();
    reply += socket.readAll();
    const qsizetype bodyStart = reply.indexOf("\r\n\r\n");
    if (!reply.startsWith("HTTP/") || bodyStart < 0)
        return {};
    return reply.mid(bodyStart + 4);
}
