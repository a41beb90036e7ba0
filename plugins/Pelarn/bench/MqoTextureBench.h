// The texture benchmarks of mqo_bench (MqoTextureBench.cpp).
#pragma once

#include <map>
#include <string>

namespace mqobench {

// Prints, for every size, each import's time over its floor and per
// material, from the real times of the runs by run name.
void PrintTextureRatios(const std::map<std::string, double>& seconds);

}  // namespace mqobench
