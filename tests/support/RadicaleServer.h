#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace quillet::test {

// A Radicale CardDAV server of the test's own: on 127.0.0.1 at a free port, with
// an htpasswd login and its storage in a temporary folder, so no two tests share
// anything. Address books and cards are put straight into its storage.
class RadicaleServer
{
public:
    RadicaleServer();
    ~RadicaleServer();

    // Why the tests cannot run (Radicale not installed), or empty.
    static QString missingReason();

    // Starts it for one user; over TLS with this certificate and key when given.
    bool start(const QString& user, const QString& password, const QString& certificate = {}, const QString& key = {});
    void stop();
    bool running() const { return m_process.state() == QProcess::Running; }

    // http://127.0.0.1:PORT/ (https:// with a certificate).
    QUrl url() const { return m_url; }
    // A new address book of `user` named `folder`, shown as `displayName`; its URL.
    QUrl addBook(const QString& user, const QString& folder, const QString& displayName);
    // A card file in that book.
    void addCard(const QString& user, const QString& folder, const QString& fileName, const QByteArray& vcard);
    // The bytes of a card file as stored, empty when there is none.
    QByteArray storedCard(const QString& user, const QString& folder, const QString& fileName) const;
    QString serverOutput();

private:
    QString collection(const QString& user, const QString& folder) const;

    QTemporaryDir m_dir;
    QProcess m_process;
    QUrl m_url;
    QString m_output;
};

} // namespace quillet::test
