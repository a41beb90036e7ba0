// One frame of the 3D view: the deferred pass, the screen on the first call,
// the scene, then the wait for the next sixtieth of a second.
#include <time.h>

#include <cstdlib>

#include "editor/view/FramePieces.h"
#include "editor/document/CTireloDoc.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/view/CTireloView.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/Renddx/VoDirectX7.h"

namespace FrameLoop {

namespace {

std::function<void()>& FailureHandler() {
  static std::function<void()> handler;
  return handler;
}

void LoadTextures(ViewDraw& draw) {
  const Frx::Pstring folder = ProgramFolder();
  draw.ReleaseTextures();
  draw.fontTexture = draw.LoadTextureCK(folder + "font16.bmp", static_cast<D3DFORMAT>(25));
  draw.envTexture = draw.LoadTextureCK(folder + "env.bmp", static_cast<D3DFORMAT>(0));
  draw.celTexture = draw.LoadTextureCK(folder + "cel.bmp", static_cast<D3DFORMAT>(0));
  draw.celLightTexture = draw.LoadTextureCK(folder + "cellight.bmp", static_cast<D3DFORMAT>(0));
}

}  // namespace

void SetScreenFailureHandler(std::function<void()> handler) { FailureHandler() = std::move(handler); }

void ScreenFailed() {
  if (FailureHandler()) return FailureHandler()();
  ShowMessage(0, "Direct3D の初期化に失敗しました。\n画面を作れないため Savora を終了します。\n");
  // The log is closed after every line; nothing else needs to run.
  std::_Exit(1);
}

bool CreateViewScreen(CTireloView& view, VoDirectX7& renderer) {
  ViewDraw& draw = view.draw;
  if (!draw.initialized) draw.Initialize(view.Window());
  int code = 0;
  if (!draw.CreateScreen(0, &code)) return false;
  // The software rasteriser is how this system runs without a GPU: noted,
  // not asked about at every start.
  if (code == 5) Frx::theFerrox.Log("ハードウェアによる３Ｄアクセラレーションを利用できません。\n");
  draw.InitFont(8, 16);
  LoadTextures(draw);
  renderer.AttachDevice(draw.d3d, draw.device);
  const uint16_t depth = (draw.textureFormats & 8) ? 32 : 16;
  renderer.SetRenderCaps(static_cast<uint16_t>(draw.presentParams.BackBufferWidth),
                         static_cast<uint16_t>(draw.presentParams.BackBufferHeight),
                         renderer.textureStages, depth);
  return true;
}

}  // namespace FrameLoop

void CTireloView::RenderFrame(float frame) {
  CTireloDoc* doc = GetDocument();
  VoMasterSavora* master = doc ? doc->master : nullptr;
  auto* renderer = master ? dynamic_cast<VoDirectX7*>(master->GetRender()) : nullptr;
  if (!doc || !renderer) return;
  scoped = doc->current.Get();
  FrameLoop::DeferredPass(*doc, scoped);
  const float start = FrameLoop::Clock();
  if (!draw.device) {
    if (!FrameLoop::CreateViewScreen(*this, *renderer)) return FrameLoop::ScreenFailed();
    doc->lastClock = FrameLoop::Clock();
  }
  if (draw.device) FrameLoop::DrawScene(*this, *doc, *renderer, frame);
  float now = FrameLoop::Clock();
  workTime = (now - start) * 0.06f;
  // Sleep through most of the rest of the sixtieth, then watch the clock.
  while (waitForFrame && (now - start) * 0.06f < 1.0f) {
    const float left = 1000.0f / 60.0f - (now - start);
    if (left > 2.0f) {
      const long ns = static_cast<long>((left - 1.5f) * 1e6f);
      const timespec pause{0, ns};
      nanosleep(&pause, nullptr);
    }
    now = FrameLoop::Clock();
  }
  ++frameCount;
  frameTime = (now - start) * 0.06f;
}
