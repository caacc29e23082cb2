#include "RadicaleServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace quillet::test {

namespace {

QString radicaleProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("radicale"));
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

RadicaleServer::RadicaleServer() = default;

RadicaleServer::~RadicaleServer()
{
    stop();
}

QString RadicaleServer::missingReason()
{
    return radicaleProgram().isEmpty() ? QStringLiteral("Radicale is not installed (Debian package radicale)")
                                       : QString();
}

bool RadicaleServer::start(const QString& user, const QString& password, const QString& certificate, const QString& key)
{
    const quint16 port = freePort();
    if (!m_dir.isValid() || port == 0)
        return false;
    const QString users = m_dir.filePath(QStringLiteral("users"));
    // Plain passwords do for a throw-away server; Radicale takes them as htpasswd lines.
    writeFile(users, (user + u':' + password + u'\n').toUtf8());
    QString config = QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n").arg(port);
    if (!certificate.isEmpty())
        config += QStringLiteral("ssl = True\ncertificate = %1\nkey = %2\n").arg(certificate, key);
    config += QStringLiteral("[auth]\ntype = htpasswd\nhtpasswd_filename = %1\nhtpasswd_encryption = plain\n"
                             "delay = 0\n[storage]\nfilesystem_folder = %2\n[rights]\ntype = owner_only\n"
                             "[web]\ntype = none\n[logging]\nlevel = warning\n")
                  .arg(users, m_dir.filePath(QStringLiteral("collections")));
    const QString configPath = m_dir.filePath(QStringLiteral("config"));
    writeFile(configPath, config.toUtf8());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(radicaleProgram(), {QStringLiteral("--config"), configPath});
    m_url = QUrl(QStringLiteral("%1://127.0.0.1:%2/").arg(certificate.isEmpty() ? "http" : "https").arg(port));
    // Ready when it takes connections.
    for (QDeadlineTimer deadline(20000); !deadline.hasExpired(); QThread::msleep(50)) {
        if (m_process.state() == QProcess::NotRunning)
            return false;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(200))
            return true;
    }
    return false;
}

void RadicaleServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString RadicaleServer::collection(const QString& user, const QString& folder) const
{
    return m_dir.filePath(QStringLiteral("collections/collection-root/%1/%2").arg(user, folder));
}

QUrl RadicaleServer::addBook(const QString& user, const QString& folder, const QString& displayName)
{
    const QByteArray props =
        QStringLiteral("{\"D:displayname\": \"%1\", \"tag\": \"VADDRESSBOOK\"}").arg(displayName).toUtf8();
    writeFile(collection(user, folder) + QStringLiteral("/.Radicale.props"), props);
    return m_url.resolved(QUrl(QStringLiteral("/%1/%2/").arg(user, folder)));
}

void RadicaleServer::addCard(const QString& user, const QString& folder, const QString& fileName,
                             const QByteArray& vcard)
{
    writeFile(collection(user, folder) + u'/' + fileName, vcard);
}

QByteArray RadicaleServer::storedCard(const QString& user, const QString& folder, const QString& fileName) const
{
    QFile file(collection(user, folder) + u'/' + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString RadicaleServer::serverOutput()
{
    m_output += QString::fromUtf8(m_process.readAll());
    return m_output;
}

} // namespace quillet::test
