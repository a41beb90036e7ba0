// The wide-skeleton benchmarks of bvh_bench (WideBvhBench.cpp).
#pragma once

#include <functional>
#include <string>

// Prints, per joint count, the import's and the writer's time beside the
// floor; ms gives the milliseconds of a run by name ("BM_WideImport/5000"),
// 0 when it did not run.
void PrintWideSummary(const std::function<double(const std::string&)>& ms);
