#pragma once

#include <benchmark/benchmark.h>

namespace quillet::bench {

// The main of a benchmark program that needs a Qt application of kind
// `Application` and nothing else before its benchmarks run.
template <typename Application> int runBenchmarks(int argc, char** argv)
{
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillet::bench
