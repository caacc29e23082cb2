#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QUrl>

namespace quillet::test {

// Answers every request on 127.0.0.1 with the same bytes and closes, or with
// nothing at all (empty bytes): the answers a real server would not give.
class CannedHttpServer : public QObject
{
public:
    explicit CannedHttpServer(QByteArray answer);
    QUrl url() const;

private:
    void onConnection();

    QTcpServer m_server;
    QByteArray m_answer;
};

} // namespace quillet::test
