// The editor's overlay of one frame with a 60-bone skeleton selected: the
// marks and bone shapes of every skeleton item, the selected bone's
// manipulator and read-out, the time bar, and the key bar and key row of a
// 4,500-frame motion; drawn headless through the view's surface at 640 × 480
// and 1280 × 720. Beside it in the same run, the whole frame as the editor
// renders it (the demonstration character, the overlay, the present).
//
// Each iteration renders one frame, then the overlay alone, each finished by
// a one-pixel back-buffer read (which waits for the rasteriser), then one
// more read with nothing drawn, whose time is taken off the overlay's. The
// counters: overlay_us (issued and rasterised), submit_us (the part the
// editor's thread spends issuing it), frame_us, and ratio = overlay / frame.
// The label is the GL renderer.
//
// Finishing the overlay on its own costs a scene flush of its own, which the
// editor's frame does not pay (there the overlay joins the frame's scene): a
// single 1 × 1 box drawn and finished the same way costs about a quarter of
// a millisecond. So each iteration also draws the overlay twice in one scene
// and finishes; less the single overlay's time, that is what one overlay
// adds inside a scene: in_scene_us, and in_scene_ratio = in_scene / frame.
//
// The phases are functions of their own and a
// third run takes a fixed 20 iterations, so that an instruction count
// (valgrind --tool=callgrind with LP_NUM_THREADS=0, filter "iterations")
// gives each phase's cost per frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <time.h>

#include "editor/app/Shutdown.h"
#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"
#include "editor/testing/KeyedMotion.h"
#include "editor/timebar/TimeBar.h"
#include "editor/view/CTireloView.h"
#include "ferrox/draw/Window.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

constexpr int Chains = 4, BonesPerChain = 15;  // 60 bones
constexpr long MotionFrames = 4500;

// Frames stay in the back buffer: no copy to a host window.
class BenchWindow : public HWND__ {
 public:
  BenchWindow(int width, int height) : width_(width), height_(height) {}
  void GetClientSize(int* w, int* h) const override { *w = width_, *h = height_; }
  void GetScreenOrigin(int* x, int* y) const override { *x = *y = 0; }
  Platform::D3DPresentTarget* GetPresentTarget() override { return nullptr; }

 private:
  int width_, height_;
};

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Waits for the device to finish: reads one pixel of the back buffer.
void Finish(IDirect3DDevice8* device) {
  IDirect3DSurface8* back = nullptr;
  if (device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back) != D3D_OK || !back) return;
  const RECT one{0, 0, 1, 1};
  D3DLOCKED_RECT locked{};
  if (back->LockRect(&locked, &one, D3DLOCK_READONLY) == D3D_OK) {
    benchmark::DoNotOptimize(*static_cast<volatile uint32_t*>(locked.pBits));
    back->UnlockRect();
  }
  back->Release();
}

// The editor without windows: master, renderer, document, view.
struct Editor {
  Editor(int width, int height) : width(width), height(height), window(width, height) {
    master.Initialize(&renderer);
    TheHost().SetMaster(&master);
    doc = std::make_unique<CTireloDoc>(&master, &TheHost());
    doc->BuildStartupScene();
    view = std::make_unique<CTireloView>(&window);
    view->waitForFrame = false;
    master.CreateTimeBar(doc.get());
    view->RenderFrame(0.0f);  // makes the screen
    if (!view->draw.device) return;
    if (master.LoadPlugin("plugins\\pelarn.dll"))
      demo = doc->ImportFile(SAVORA_TESTDATA_DIR "/demo/demo.mqo", doc->project) != nullptr;
    BuildRig();
  }
  ~Editor() {
    CloseEditor(*doc, master);
    view.reset();
    doc.reset();
    TheHost().SetMaster(nullptr);
  }

  // Four chains of 15 bones fanning out from one root, a 4,500-frame motion
  // keyed every other frame on every control, and a bone in the middle of a
  // chain selected with its key row collected.
  void BuildRig() {
    rig = master.NewItem<VoICharacter>(doc->project);
    rig->SetName("rig");
    VoISkelton* skelton = master.NewItem<VoISkelton>(rig);
    VoILocate* root = master.NewItem<VoILocate>(skelton);
    root->SetName("root");
    root->IKchain = 0;
    root->SetWPos(Frx::Pvector(0.0f, 0.0f, 0.0f));
    VoIBone* picked = nullptr;
    for (int c = 0; c < Chains; ++c) {
      const float angle = 0.4f + 0.6f * static_cast<float>(c);
      VoIBranch* parent = skelton;
      VoILocate* from = root;
      Frx::Pvector at(0.0f, 0.0f, 0.0f);
      for (int b = 0; b < BonesPerChain; ++b) {
        VoIBone* bone = master.NewItem<VoIBone>(parent);
        bone->SetName(("b" + std::to_string(c) + "_" + std::to_string(b)).c_str());
        VoILocate* to = master.NewItem<VoILocate>(bone);
        at += Frx::Pvector(12.0f * std::cos(angle + 0.05f * b), 12.0f * std::sin(angle + 0.05f * b), 2.0f);
        to->SetWPos(at);
        bone->SetStartLocate(from);
        bone->SetEndLocate(to);
        bone->SetHeadVector(Frx::Pvector(0.0f, 0.0f, 1.0f));
        if (c == 1 && b == BonesPerChain / 2) picked = bone;
        parent = bone;
        from = to;
      }
    }
    skelton->InitialUpdate();
    MakeKeyedMotion(master, TheHost(), rig, "long", MotionFrames);
    doc->currentFrame = 120.0f;
    TheHost().ClickSelect(picked, 0);
    view->DispatchInput();  // the motion's companion collects the bone's key row
  }

  void Overlay() {
    if (VoICharacter* c = TheHost().GetSelectedCharacter()) master.DispatchDraw(c);
    if (TimeBar* bar = master.GetTimeBar()) bar->Draw();
  }

  FrxTest::MessageBoxRecorder boxes;  // answered with their default buttons
  int width, height;
  BenchWindow window;
  VoDirectX7 renderer;
  VoMasterSavora master;
  std::unique_ptr<CTireloDoc> doc;
  std::unique_ptr<CTireloView> view;
  VoICharacter* rig = nullptr;
  bool demo = false;
};

// One editor at a time: it is the host's view and master. The last one goes
// at exit, before the statics it made while it was built.
Editor& EditorOf(int width, int height) {
  static Editor* editor = nullptr;
  if (editor && (editor->width != width || editor->height != height)) {
    delete editor;
    editor = nullptr;
  }
  if (!editor) {
    editor = new Editor(width, height);
    struct Reaper {
      ~Reaper() { delete editor; }
    };
    static Reaper reaper;
  }
  return *editor;
}

// The phases apart, so that a call-graph profile tells their costs.
__attribute__((noipa)) void RenderAndWait(Editor& editor, IDirect3DDevice8* device) {
  editor.view->RenderFrame(120.0f);
  Finish(device);
}
__attribute__((noipa)) void DrawOverlay(Editor& editor) { editor.Overlay(); }
__attribute__((noipa)) void WaitForOverlay(IDirect3DDevice8* device) { Finish(device); }
__attribute__((noipa)) void WaitForNothing(IDirect3DDevice8* device) { Finish(device); }
__attribute__((noipa)) void DrawOverlayTwice(Editor& editor) {
  editor.Overlay();
  editor.Overlay();
}
__attribute__((noipa)) void WaitForBoth(IDirect3DDevice8* device) { Finish(device); }

void BM_OverlayBesideFrame(benchmark::State& state) {
  Editor& editor = EditorOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  IDirect3DDevice8* device = editor.view->draw.device;
  if (!device) {
    state.SkipWithError("no device");
    return;
  }
  if (!TheHost().GetSelectedCharacter()) {
    state.SkipWithError("the rig is not selected");
    return;
  }
  // One round first, outside the phases: the rasteriser compiles its
  // shaders on first use.
  editor.view->RenderFrame(120.0f);
  editor.Overlay();
  Finish(device);
  double frame = 0.0, overlay = 0.0, twice = 0.0, submit = 0.0;
  for (auto _ : state) {
    const double t0 = Now();
    RenderAndWait(editor, device);
    const double t1 = Now();
    DrawOverlay(editor);
    const double t2 = Now();
    WaitForOverlay(device);
    const double t3 = Now();
    WaitForNothing(device);
    const double t4 = Now();
    DrawOverlayTwice(editor);
    WaitForBoth(device);
    const double t5 = Now();
    const double drawn = std::max(0.0, (t3 - t1) - (t4 - t3));
    frame += t1 - t0;
    overlay += drawn;
    twice += (t5 - t4) - (t4 - t3);
    submit += t2 - t1;
    state.SetIterationTime(drawn);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["overlay_us"] = overlay / n * 1e6;
  state.counters["submit_us"] = submit / n * 1e6;
  state.counters["frame_us"] = frame / n * 1e6;
  state.counters["ratio"] = overlay / frame;
  state.counters["in_scene_us"] = (twice - overlay) / n * 1e6;
  state.counters["in_scene_ratio"] = (twice - overlay) / frame;
  state.SetLabel(Platform::D3DRendererName() + (editor.demo ? "" : " (no demonstration character)"));
}
BENCHMARK(BM_OverlayBesideFrame)->Args({640, 480})->Args({1280, 720})->UseManualTime()->Unit(benchmark::kMicrosecond);
// A fixed count, for instruction-counting profilers (callgrind with LP_NUM_THREADS=0).
BENCHMARK(BM_OverlayBesideFrame)->Args({640, 480})->Iterations(20)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
