// One libFuzzer executable per target: QUILLET_FUZZ_TARGET names the body to call.
#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    quillet::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString broken = quillet::fuzz::QUILLET_FUZZ_TARGET(data, size);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "invariant broken: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
