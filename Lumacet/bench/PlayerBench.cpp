// One player tick with the demonstration character (walk animated, cel
// shaded and outlined, drawn, presented to a window) at the control's
// default size, 320 x 240, beside a bare engine frame of the same character
// and settings drawn by hand on the same device (no player loop around it).
// Prints both frame rates, their ratio (player / bare), how many times over
// the player's 20 ticks a second the tick fits, and the GL renderer.
#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <string>

#include "Lumacet/CSavoraPlayer.h"
#include "Lumacet/PlayerLoop.h"
#include "ferrox/draw/Window.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

#include <fstream>

namespace {

double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string Demo(const char* name) { return std::string(SAVORA_TESTDATA_DIR) + "/demo/" + name; }

class Bench {
 public:
  Bench() : window_(CSavoraPlayer::DefaultWidth, CSavoraPlayer::DefaultHeight), loop_(nullptr, [this] { return now_; }) {}

  bool Open() {
    loop_.OpenScreen(&window_);
    loop_.Import(Demo("demo.mqo").c_str());
    VoICharacter* c = loop_.Character();
    if (!c || !c->GetFirstChild()) return false;
    // The walk's block with the engine's reader: past the header line, without
    // the motion file's own curve lines (its plug-in reads those).
    std::ifstream in(Demo("walk.kvm"), std::ios::binary);
    std::string block, line;
    std::getline(in, line);
    while (std::getline(in, line))
      if (line.find("curve =") == std::string::npos) block += line + "\n";
    auto* walk = loop_.Master().NewItem<VoIMotion>(c);
    votest::LoadBlock(walk, "Motion", block);
    loop_.SetMotion("walk");
    loop_.lookY = -84.0f, loop_.viewB = 180.0f, loop_.celMode = 1, loop_.celEdgeSize = 0.5f;
    loop_.playing = 1;
    return c->GetMotion() != nullptr;
  }

  void Tick() {
    now_ += 50;
    loop_.Tick();
  }

  // The same frame without the loop: animate, camera, light, draw, present.
  void Bare() {
    Frx::Draw::PDraw& s = loop_.Surface();
    IDirect3DDevice8* d = s.device;
    VoMaster& master = loop_.Master();
    bareTime_ = bareTime_ >= 96.0f ? 0.0f : bareTime_ + 3.0f;
    s.SetClearColor(loop_.background);
    s.FlushScreen();
    s.SetRenderStateInitialize();
    loop_.InitialFrame();
    master.CountUpdate();
    master.Animation(loop_.Character(), Frx::Pmatrix::id, bareTime_);
    d->BeginScene();
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, 0.34906587f, 320.0f / 240.0f, 100.0f, 10000.0f);
    d->SetTransform(D3DTS_PROJECTION, &projection);
    d->SetTransform(D3DTS_VIEW, &loop_.View());
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.Direction = {0.577f, -0.577f, 0.577f};
    light.Range = 3.4028235e38f;
    d->SetLight(0, &light);
    d->LightEnable(0, TRUE);
    master.Discation(loop_.Character());
    d->EndScene();
    s.UpdateScreen();
  }

  int Presented() const { return window_.PresentedFrames(); }

 private:
  // The reference device's notice is a message box; nobody is there to answer it.
  FrxTest::MessageBoxRecorder boxes_{IDOK};
  uint32_t now_ = 0;
  float bareTime_ = 0.0f;
  Frx::Draw::HeadlessWindow window_;
  PlayerLoop loop_;
};

void BM_PlayerTick(benchmark::State& state) {
  auto bench = std::make_unique<Bench>();
  if (!bench->Open()) {
    state.SkipWithError("no device, or the demonstration character did not import (plugins/pelarn.so)");
    return;
  }
  double ours = 0.0, bare = 0.0;
  for (auto _ : state) {
    const double t0 = Seconds();
    bench->Tick();
    const double t1 = Seconds();
    bench->Bare();
    const double t2 = Seconds();
    ours += t1 - t0;
    bare += t2 - t1;
    state.SetIterationTime(t2 - t0);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["player_fps"] = n / ours;
  state.counters["bare_fps"] = n / bare;
  state.counters["ratio"] = bare / ours;
  state.counters["x_20fps"] = n / ours / 20.0;
  state.counters["presented"] = bench->Presented();
  state.SetLabel(Platform::D3DRendererName());
}

BENCHMARK(BM_PlayerTick)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
