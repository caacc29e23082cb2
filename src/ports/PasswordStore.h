#pragma once

#include "core/common/Result.h"

#include <QString>

namespace quillet {

// The desktop's secret store, for a password the user asked to be remembered.
// Keys name the server and the user.
class PasswordStore
{
public:
    virtual ~PasswordStore() = default;
    // The password kept under `key`; an empty text when none is.
    virtual Result<QString> readPassword(const QString& key) = 0;
    virtual Status savePassword(const QString& key, const QString& password) = 0;
    // Forgets it; nothing kept is no failure.
    virtual Status forgetPassword(const QString& key) = 0;
};

} // namespace quillet
