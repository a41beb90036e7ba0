// The nesting benchmarks of mqo_bench (MqoNestingBench.cpp).
#pragma once

#include <map>
#include <string>

namespace mqobench {

// Prints, for every size, each import's time over its floor and per object,
// from the real times of the runs by run name ("BM_DeepChainFloor/2500").
void PrintNestingRatios(const std::map<std::string, double>& seconds);

}  // namespace mqobench
