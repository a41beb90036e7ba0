#include "Lumacet/PlayerLoop.h"

#include <time.h>

#include "Lumacet/PlayerEngine.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/math/Pmatrix.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

uint32_t PlayerLoop::SystemClock() {
  // Monotonic milliseconds (<chrono> does not build for Shift-JIS text).
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint32_t>(static_cast<uint64_t>(t.tv_sec) * 1000u + static_cast<uint64_t>(t.tv_nsec) / 1000000u);
}

PlayerLoop::PlayerLoop(Events* events, Clock clock)
    : engine_(&PlayerEngine::Acquire()),
      events_(events),
      clock_(clock ? std::move(clock) : Clock(SystemClock)),
      surface_(*this) {
  D3DXMatrixIdentity(&view_);
  CreateCharacter();
  lastClock_ = clock_();
}

PlayerLoop::~PlayerLoop() {
  CloseScreen();
  if (VoICharacter* c = Character()) Master().ReleaseItem(c);
  character_ = nullptr;
  PlayerEngine::Release();
}

VoMaster& PlayerLoop::Master() const { return engine_->Master(); }

VoICharacter* PlayerLoop::Character() const { return character_.Get(); }

void PlayerLoop::CreateCharacter() {
  PlayerEngine::RendererScope scope(this);
  if (VoICharacter* old = Character()) Master().ReleaseItem(old);
  // No parent and the engine's default name; the player copies from no source.
  character_ = Master().NewItem<VoICharacter>(nullptr);
}

void PlayerLoop::SetMotion(const char* name) {
  loopCount = 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("SetMotion \"%s\"\n", name ? name : "");
  VoICharacter* c = Character();
  if (!c || !name) return;
  if (VoIItem* found = c->Search(VoIMotion::CLASS_ID, name)) {
    PlayerEngine::RendererScope scope(this);
    c->SetMotion(found->IsMotion());
  }
}

void PlayerLoop::Tick() {
  if (playing != 1 || importing_ || !HasScreen()) return;
  UpdateAnimation();
  RenderFrame();
  ++renderedTicks_;
}

void PlayerLoop::UpdateAnimation() {
  if (!HasScreen()) return;
  celShading = celMode == 1 ? 1 : 0;
  outline = celEdgeSize != 0.0f ? 1 : 0;
  if (outline) outlineWidth = celEdgeSize;

  const uint32_t now = clock_();
  time += static_cast<float>(now - lastClock_) * 0.06f;
  lastClock_ = now;
  VoMaster& master = Master();
  master.CountUpdate();

  // At most one wrap a tick; a motion of end frame 0 wraps on every tick.
  VoICharacter* c = Character();
  VoIMotion* motion = c ? c->GetMotion() : nullptr;
  if (motion && static_cast<float>(motion->endframe) <= time) {
    ++loopCount;
    const long end = motion->endframe;
    // The container may call back into the control from the event (and
    // bind another motion), so the motion is not touched after it.
    const Frx::Pstring name = motion->GetName();
    if (events_) events_->MotionPeriod(name.Get(), loopCount, 0);
    time -= static_cast<float>(end);
  }
  if (VoICharacter* now = Character()) {
    PlayerEngine::RendererScope scope(this);
    master.Animation(now, Frx::Pmatrix::id, time);
  }
}

void PlayerLoop::ReportUnsupportedMode() {
  Frx::theFerrox.Error("対応していないモードが指定されました。\n Mode = %d", mode);
  Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
}

bool PlayerLoop::HitTest(int x, int y) const {
  const int w = AreaWidth(), h = AreaHeight();
  return x > w * 3 / 8 && x < w * 5 / 8 && y > h * 3 / 8 && y < h * 5 / 8;
}

void PlayerLoop::Click(int x, int y) {
  if (events_) events_->ClickIn(x & 0xFFFF, y & 0xFFFF);
}
