// Numbered screenshots of the demonstration character (testdata/demo: its
// skinned body walking through walk.kvm, 96 frames) at 640 × 480, headless:
// SerialBMP shooting every frame of the walk (draw, back buffer read,
// conversion to 24 bits, file written), beside the same frames drawn by the
// same host without being shot, in the same iteration. The counters give
// the files written a second, the frames drawn a second and their ratio (a
// shot takes "ratio" times as long as drawing its frame).
#include <benchmark/benchmark.h>

#include <string>
#include <time.h>
#include <vector>

#include "ferrox/testing/TempFolder.h"
#include "plugins/Rastel/SerialBMP.h"
#include "plugins/testing/FakeHost.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

namespace {

double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

class DemoHost : public FakeHost {
 public:
  votest::RenderHarness* harness = nullptr;
};

class EveryFrame : public SerialAsker {
 public:
  bool AskBmp(SerialBmpAnswers& answers) override {
    answers.pattern = pattern;
    answers.step = 1;
    return true;
  }
  std::string pattern;
};

}  // namespace

void BM_ShotsBesideDrawing(benchmark::State& state) {
  votest::RenderHarness h(640, 480);
  if (!h.Open()) {
    state.SkipWithError("no device");
    return;
  }
  h.camera.eye = Frx::Pvector(150, 110, -330);
  h.camera.at = Frx::Pvector(0, 85, 0);
  h.camera.nearZ = 10.0f;
  h.camera.farZ = 1000.0f;
  VoMaster& master = h.Master();
  const std::string demoPath = std::string(SAVORA_TESTDATA_DIR) + "/demo/demo.mqo";
  const std::string walkPath = std::string(SAVORA_TESTDATA_DIR) + "/demo/walk.kvm";
  VoICharacter* demo = h.NewCharacter("demo");
  if (!master.LoadPlugin("plugins\\pelarn.dll") || !master.LoadPlugin("plugins\\osmira.dll") ||
      !master.LoadPlugin("plugins\\quovin.dll") || master.Import(demoPath.c_str(), demo, 0) != demo) {
    state.SkipWithError("no demonstration character");
    return;
  }
  master.Import(walkPath.c_str(), demo, 0);
  VoIItem* found = demo->Search(VoIMotion::CLASS_ID, "walk");
  VoIMotion* walk = found ? found->IsMotion() : nullptr;
  if (walk) demo->SetMotion(walk);
  if (!walk || walk->endframe <= 0) {
    state.SkipWithError("no walk");
    return;
  }

  DemoHost host;
  host.master = &master;
  host.draw = &h.Surface();
  host.current = demo;
  host.harness = &h;
  host.onRender = [](FakeHost& fake, float frame) {
    auto& self = static_cast<DemoHost&>(fake);
    self.harness->Draw(self.current, frame);
  };
  FrxTest::TempFolder folder;
  EveryFrame asker;
  asker.pattern = folder.System("%c_%f");
  SerialBMP command(&asker);

  double shooting = 0.0, drawing = 0.0;
  size_t files = 0, drawn = 0;
  for (auto _ : state) {
    const double t0 = Seconds();
    const size_t before = host.renderedFrames.size();
    if (command.Execute(nullptr, nullptr, host.Flags()) != 1) {
      state.SkipWithError("SerialBMP failed");
      return;
    }
    const double t1 = Seconds();
    const std::vector<float> frames(host.renderedFrames.begin() + long(before), host.renderedFrames.end());
    for (float frame : frames) host.RenderFrame(frame);
    h.ReadBack();  // waits for the last frame
    const double t2 = Seconds();
    shooting += t1 - t0;
    drawing += t2 - t1;
    files += folder.Count();  // the same names every run
    drawn += frames.size();
  }
  state.counters["files_per_s"] = double(files) / shooting;
  state.counters["drawn_per_s"] = double(drawn) / drawing;
  state.counters["ratio"] = (double(drawn) / drawing) / (double(files) / shooting);
  state.counters["files_a_run"] = double(folder.Count());
}
BENCHMARK(BM_ShotsBesideDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);
