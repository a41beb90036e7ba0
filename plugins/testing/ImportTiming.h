// The timed loop of the import benchmarks: a file imported through a master
// with the importer registered, each time into a new character that is made
// and released outside the timing. Header only, for benchmark programs.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace plugtest {

// `built` says whether every import is to build or to be refused; a run in
// which one does otherwise ends with an error.
template <class Importer>
void TimeImports(benchmark::State& state, const std::string& path, bool built = true) {
  VoMaster master;
  master.Initialize(nullptr);
  Importer desc;
  master.RegistClassDesc(&desc);
  for (auto _ : state) {
    state.PauseTiming();
    VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
    state.ResumeTiming();
    if ((master.Import(path.c_str(), character, 0) != nullptr) != built)
      state.SkipWithError(built ? "import failed" : "import not refused");
    state.PauseTiming();
    master.ReleaseItem(character);
    state.ResumeTiming();
  }
  master.Uninitialize();
}

}  // namespace plugtest
