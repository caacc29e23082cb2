#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

namespace quillet {

// Opening documents and web addresses with the user's default applications,
// starting the system-information tool, and today's date.
class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts the first system-information tool found; false when none is found.
    virtual bool startSystemInfo() = 0;
    virtual QDate today() const = 0;
};

} // namespace quillet
