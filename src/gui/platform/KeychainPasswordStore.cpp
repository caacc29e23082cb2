#include "gui/platform/KeychainPasswordStore.h"

#include <QEventLoop>

#include <qt6keychain/keychain.h>

namespace quillet {

namespace {

const QString service = QStringLiteral("Quillet");

void runJob(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
}

AppError storeError(const QKeychain::Job& job)
{
    return errors::ownMessage(
        QStringLiteral("The desktop's secret store did not keep the password: %1").arg(job.errorString()));
}

} // namespace

Result<QString> KeychainPasswordStore::readPassword(const QString& key)
{
    QKeychain::ReadPasswordJob job(service);
    job.setKey(key);
    runJob(job);
    if (job.error() == QKeychain::EntryNotFound)
        return QString();
    if (job.error() != QKeychain::NoError)
        return errors::ownMessage(
            QStringLiteral("The desktop's secret store could not be read: %1").arg(job.errorString()));
    return job.textData();
}

Status KeychainPasswordStore::savePassword(const QString& key, const QString& password)
{
    QKeychain::WritePasswordJob job(service);
    job.setKey(key);
    job.setTextData(password);
    runJob(job);
    return job.error() == QKeychain::NoError ? Status() : Status(storeError(job));
}

Status KeychainPasswordStore::forgetPassword(const QString& key)
{
    QKeychain::DeletePasswordJob job(service);
    job.setKey(key);
    runJob(job);
    if (job.error() == QKeychain::NoError || job.error() == QKeychain::EntryNotFound)
        return {};
    return storeError(job);
}

} // namespace quillet
