#include "CannedHttpServer.h"

#include <QTcpSocket>

namespace quillet::test {

CannedHttpServer::CannedHttpServer(QByteArray answer) : m_answer(std::move(answer))
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &CannedHttpServer::onConnection);
}

QUrl CannedHttpServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/book/").arg(m_server.serverPort()));
}

void CannedHttpServer::onConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (m_answer.isEmpty())
            continue;
        // Answered once the request's head is in; the body, if any, is not waited for.
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (socket->property("answered").toBool() || !socket->peek(1 << 16).contains("\r\n\r\n"))
                return;
            socket->setProperty("answered", true);
            socket->write(m_answer);
            socket->disconnectFromHost();
        });
    }
}

} // namespace quillet::test
