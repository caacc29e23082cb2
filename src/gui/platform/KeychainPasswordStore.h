#pragma once

#include "ports/PasswordStore.h"

namespace quillet {

// Passwords in the desktop's secret store (the Secret Service, KWallet) through
// QtKeychain, under the service name "Quillet". Each call waits for its job in a
// local event loop.
class KeychainPasswordStore : public PasswordStore
{
public:
    Result<QString> readPassword(const QString& key) override;
    Status savePassword(const QString& key, const QString& password) override;
    Status forgetPassword(const QString& key) override;
};

} // namespace quillet
