#include "output/CupsQueueState.h"

#include <QLibrary>

namespace quillet {

namespace {

// The parts of libcups' stable C interface used here. libcups is loaded at run
// time: it is there wherever Qt prints through CUPS, and needs no headers to build.
struct CupsOption
{
    char* name;
    char* value;
};

struct CupsDest
{
    char* name;
    char* instance;
    int isDefault;
    int optionCount;
    CupsOption* options;
};

using GetNamedDest = CupsDest* (*)(void* http, const char* name, const char* instance);
using GetOption = const char* (*)(const char* name, int optionCount, CupsOption* options);
using FreeDests = void (*)(int count, CupsDest* dests);

struct Cups
{
    GetNamedDest getNamedDest = nullptr;
    GetOption getOption = nullptr;
    FreeDests freeDests = nullptr;

    bool loaded() const { return getNamedDest && getOption && freeDests; }
};

const Cups& cups()
{
    static const Cups functions = [] {
        QLibrary library(QStringLiteral("cups"), 2);
        Cups loaded;
        if (!library.load())
            return loaded;
        loaded.getNamedDest = reinterpret_cast<GetNamedDest>(library.resolve("cupsGetNamedDest"));
        loaded.getOption = reinterpret_cast<GetOption>(library.resolve("cupsGetOption"));
        loaded.freeDests = reinterpret_cast<FreeDests>(library.resolve("cupsFreeDests"));
        return loaded;
    }();
    return functions;
}

} // namespace

std::optional<bool> cupsQueueAcceptsJobs(const QString& name)
{
    const Cups& functions = cups();
    if (!functions.loaded())
        return std::nullopt;
    const QByteArray queue = name.toLocal8Bit();
    CupsDest* dest = functions.getNamedDest(nullptr, name.isEmpty() ? nullptr : queue.constData(), nullptr);
    if (!dest)
        return false; // no such queue
    const char* accepting = functions.getOption("printer-is-accepting-jobs", dest->optionCount, dest->options);
    const bool accepts = !accepting || qstrcmp(accepting, "false") != 0;
    functions.freeDests(1, dest);
    return accepts;
}

} // namespace quillet
