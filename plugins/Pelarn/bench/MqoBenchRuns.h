// What the sized runs of mqo_bench share: the counters of one run and the
// times of all runs by name, for the ratios printed at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace mqobench {

// Fits the run to its size n (the first argument), counts the file's bytes
// and shows the time one of the n items costs under `perItem`.
inline void CountPerItem(benchmark::State& state, size_t bytes, const char* perItem) {
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
  state.counters[perItem] = benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                           benchmark::Counter::kInvert);
}

// The real time of the run named `name` ("BM_DeepChainFloor/2500"); 0 when
// it did not run.
inline double RunSeconds(const std::map<std::string, double>& seconds, const std::string& name) {
  const auto it = seconds.find(name);
  return it == seconds.end() ? 0.0 : it->second;
}

}  // namespace mqobench
