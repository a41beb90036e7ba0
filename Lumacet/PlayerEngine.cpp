#include "Lumacet/PlayerEngine.h"

#include <dlfcn.h>
#include <link.h>

#include <ctime>

#include "ferrox/ferrox/Ferrox.h"

namespace {

// Hands the master's requests for render objects to the renderer of the
// control whose call is running; without one, items get none (headless).
class RendererSwitch final : public VoRenderer {
 public:
  VoRenderGeometry* CreateRenderGeometry(VoIGeometry* g) override {
    return current ? current->CreateRenderGeometry(g) : nullptr;
  }
  VoRenderMaterial* CreateRenderMaterial(VoIMaterial* m) override {
    return current ? current->CreateRenderMaterial(m) : nullptr;
  }
  VoRenderTexture* CreateRenderTexture(VoITexture* t) override {
    return current ? current->CreateRenderTexture(t) : nullptr;
  }
  void InitialFrame() override {
    if (current) current->InitialFrame();
  }
  DibTextureCaps GetTextureCaps() const override {
    return current ? current->GetTextureCaps() : DibTextureCaps();
  }

  VoDirectX7* current = nullptr;
};

// This module's handle, as the base library wants its instance.
HINSTANCE ThisModule() {
  Dl_info info{};
  link_map* map = nullptr;
  static const int anchor = 0;
  if (!dladdr1(&anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) return nullptr;
  return map;
}

PlayerEngine* theEngine = nullptr;
int theUsers = 0;

}  // namespace

struct PlayerEngine::State {
  RendererSwitch renderer;
  VoMaster master;
  // The base library is set up here only when no host did it before.
  bool ownsFerrox = false;
};

PlayerEngine& PlayerEngine::Acquire() {
  if (!theEngine) theEngine = new PlayerEngine();
  ++theUsers;
  return *theEngine;
}

void PlayerEngine::Release() {
  if (theUsers <= 0 || --theUsers > 0) return;
  delete theEngine;
  theEngine = nullptr;
}

int PlayerEngine::Users() { return theUsers; }

VoMaster& PlayerEngine::Master() { return state_->master; }

PlayerEngine::PlayerEngine() : state_(new State) {
  Frx::Ferrox& ferrox = Frx::theFerrox;
  if (ferrox.systemPath.IsEmpty()) {
    // The player never creates its log: what it logs stays silent.
    ferrox.Initialize(ThisModule(), false, nullptr);
    state_->ownsFerrox = true;
  }
  char when[64] = "";
  const std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) std::strftime(when, sizeof when, "%x %X", local);
  ferrox.Log("startup %s\n", when);
  if (ferrox.debug) ferrox.Log("Savora:Engine Master の初期化\n");
  VoMaster& master = state_->master;
  master.Initialize(&state_->renderer);
  // A missing plug-in is only logged by the engine.
  master.LoadPlugin("plugins\\pelarn.dll");
  master.LoadPlugin("plugins\\quovin.dll");
  master.LoadPlugin("plugins\\osmira.dll");
  master.LoadPlugin("plugins\\uvesk.dll");
}

PlayerEngine::~PlayerEngine() {
  state_->master.Uninitialize();
  const bool ownsFerrox = state_->ownsFerrox;
  delete state_;
  if (ownsFerrox) Frx::theFerrox.Uninitialize();
}

PlayerEngine::RendererScope::RendererScope(VoDirectX7* renderer) : previous_(nullptr) {
  if (!theEngine) return;
  auto& s = static_cast<RendererSwitch&>(*theEngine->Master().GetRender());
  previous_ = s.current;
  s.current = renderer;
}

PlayerEngine::RendererScope::~RendererScope() {
  if (theEngine) static_cast<RendererSwitch&>(*theEngine->Master().GetRender()).current = previous_;
}
