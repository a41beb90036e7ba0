// The motion converter on the CMU capture 01_03.bvh (31 joints, 4,511
// frames, from `assimp-testmodels`, read by the BVH plug-in) retargeted onto
// the demonstration character through testdata/kvc/cmu-to-demo.kvc: every
// key frame of the capture replayed, the paired bones posed in world space,
// their rest fixed and keyed. Beside it, in the same iteration, the floor
// any conversion pays: the capture replayed at the same key frames with its
// world matrices (no destination). The counters give the key frames, the
// conversion's and the floor's times and their ratio.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <time.h>

#include "plugins/Tandrel/ConvertSession.h"
#include "plugins/Tandrel/MotionRetarget.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

const char* const kCapture = "/usr/share/assimp/models/BVH/01_03.bvh";

// The capture at every key frame of its motion, as the converter replays it.
long Replay(VoICharacter* capture) {
  VoIMotion* motion = capture->GetMotion();
  Ptable<long> table;
  const int frames = motion->MakeFrameTable(table);
  long replayed = 0;
  for (int k = 0; k < frames; ++k) {
    const long frame = table[k] >> 1;
    if (frame < 0 || frame > motion->endframe) continue;
    capture->SetTime(float(frame));
    capture->ReadAllControl(float(frame));
    capture->ConvL2W(1);
    ++replayed;
  }
  return replayed;
}

}  // namespace

void BM_ConvertBesideReplay(benchmark::State& state) {
  if (!std::filesystem::exists(kCapture)) {
    state.SkipWithError("assimp-testmodels is not installed");
    return;
  }
  VoMaster master;
  master.Initialize(nullptr);
  const std::string demoPath = std::string(SAVORA_TESTDATA_DIR) + "/demo/demo.mqo";
  const std::string kvcPath = std::string(SAVORA_TESTDATA_DIR) + "/kvc/cmu-to-demo.kvc";
  VoICharacter* demo = master.NewItem<VoICharacter>(nullptr);
  VoICharacter* capture = master.NewItem<VoICharacter>(nullptr);
  demo->SetName("demo");
  capture->SetName("capture");
  if (!master.LoadPlugin("plugins\\pelarn.dll") || !master.LoadPlugin("plugins\\sorvel.dll") ||
      master.Import(demoPath.c_str(), demo, 0) != demo || master.Import(kCapture, capture, 0) != capture ||
      !capture->GetMotion()) {
    state.SkipWithError("the demonstration character or the capture cannot be imported");
    return;
  }
  long keys = 0;
  {
    ConvertSession session(demo, capture);
    if (!session.ReadConvertFile(kvcPath.c_str())) {
      state.SkipWithError("cmu-to-demo.kvc cannot be read");
      return;
    }
    double converting = 0.0, replaying = 0.0;
    for (auto _ : state) {
      const double t0 = Seconds();
      if (!ConvertMotions(session)) {
        state.SkipWithError("the conversion failed");
        return;
      }
      const double t1 = Seconds();
      keys = Replay(capture);
      const double t2 = Seconds();
      converting += t1 - t0;
      replaying += t2 - t1;
      state.PauseTiming();
      VoIMotion* made = demo->GetMotion();
      demo->SetMotion(nullptr);
      master.ReleaseItem(made);
      state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["key_frames"] = double(keys);
    state.counters["convert_ms"] = 1000.0 * converting / n;
    state.counters["replay_ms"] = 1000.0 * replaying / n;
    state.counters["ratio"] = converting / replaying;
  }
  master.ReleaseItem(capture);
  master.ReleaseItem(demo);
}
BENCHMARK(BM_ConvertBesideReplay)->Unit(benchmark::kMillisecond)->Iterations(5);
