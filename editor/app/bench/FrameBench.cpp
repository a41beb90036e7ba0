// One editor frame (animate, draw the scene, the manipulators, the time bar
// and the overlay, present into the view widget; no wait for the next 1/60 s)
// with the demonstration character cel-shaded and outlined, in the main
// window at its default size, offscreen. Beside it, the bare engine frame of
// the same character on the same device (clear, animate, draw, present), so
// the ratio shows what the editor adds.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>

#include "editor/app/FrameLoop.h"
#include "editor/app/Shutdown.h"
#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/CViewFrame.h"
#include "editor/host/SavoraHost.h"
#include "editor/view/ViewWidget.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "hostqt/LocaleGuard.h"
#include "platform/d3d8/D3D8Hooks.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/motion/VoIMotion.h"

namespace {

struct Editor {
  FrxTest::MessageBoxRecorder boxes;  // answered with their default buttons
  VoMasterSavora master;
  VoDirectX7 renderer;
  std::unique_ptr<CTireloDoc> doc;
  std::unique_ptr<CMainFrame> frame;
  CTireloView* view = nullptr;
  bool motion = false;

  Editor() {
    TheHost().SetMaster(&master);
    doc = std::make_unique<CTireloDoc>(&master, &TheHost());
    frame = std::make_unique<CMainFrame>(doc.get());
    master.Initialize(&renderer);
    master.LoadPlugin("plugins\\pelarn.dll");
    motion = master.LoadPlugin("plugins\\quovin.dll") == 1;
    master.CreateTimeBar(doc.get());
    doc->BuildStartupScene();
    doc->ImportFile(SAVORA_PROGRAM_DIR "/general.mqo", doc->general);
    VoIItem* demo = doc->ImportFile(SAVORA_TESTDATA_DIR "/demo/demo.mqo", doc->project);
    if (VoICharacter* c = demo ? demo->IsCharacter() : nullptr) {
      TheHost().SetCurrentCharacter(c);
      TheHost().ClickSelect(c, 0);
      if (motion && doc->ImportFile(SAVORA_TESTDATA_DIR "/demo/walk.kvm", c))
        if (VoIItem* m = c->Search(VoIMotion::CLASS_ID, "walk")) c->SetMotion(m->IsMotion());
    }
    doc->celShading = 1;
    doc->paused = 0;
    frame->show();
    QCoreApplication::processEvents();
    view = &frame->ViewFrame()->View()->View();
    view->waitForFrame = false;
  }
  ~Editor() {
    CloseEditor(*doc, master);
    frame.reset();
    doc.reset();
    TheHost().SetMaster(nullptr);
  }
};

Editor* editor = nullptr;

void EditorFrame(benchmark::State& state) {
  CTireloView& view = *editor->view;
  float frame = 0.0f;
  for (auto _ : state) {
    view.RenderFrame(frame);
    QCoreApplication::processEvents();  // the widget paints the presented frame
    frame += 1.0f;
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(std::to_string(view.draw.screenWidth) + "x" + std::to_string(view.draw.screenHeight) +
                 (editor->motion ? " walking" : " standing (no motion plug-in)"));
}

void BareEngineFrame(benchmark::State& state) {
  CTireloView& view = *editor->view;
  Frx::Draw::PDraw& draw = view.draw;
  VoICharacter* c = editor->doc->current;
  float frame = 0.0f;
  for (auto _ : state) {
    draw.FlushScreen();
    draw.SetRenderStateInitialize();
    editor->master.CountUpdate();
    editor->master.Animation(c, Frx::Pmatrix::id, frame);
    draw.device->BeginScene();
    draw.device->SetTransform(D3DTS_VIEW, &view.camera.view);
    editor->renderer.InitialFrame();
    editor->master.Discation(c);
    draw.device->EndScene();
    draw.UpdateScreen();
    frame += 1.0f;
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(EditorFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BareEngineFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  HostQt::RestoreNumericLocale();
  editor = new Editor;
  // The first frame makes the screen; the device is then the one measured.
  editor->view->RenderFrame(0.0f);
  std::printf("renderer: %s\n", Platform::D3DRendererName().c_str());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete editor;
  return 0;
}
