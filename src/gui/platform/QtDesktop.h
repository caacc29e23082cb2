#pragma once

#include "ports/Desktop.h"

namespace quillet {

// The user's desktop: documents and web addresses open in the default
// applications (QDesktopServices); the system-information tool is the first of a
// fixed list of well-known programs found on PATH, started without a shell.
class QtDesktop : public Desktop
{
public:
    bool openDocument(const QString& path) override;
    bool openUrl(const QUrl& url) override;
    bool startSystemInfo() override;
    QDate today() const override;
};

} // namespace quillet
