#include "platform/d3d8/D3D8Hooks.h"

#include <array>
#include <atomic>
#include <set>

namespace Platform {
namespace {

struct FaultState {
  std::array<bool, static_cast<size_t>(D3DFault::Count)> faults{};
  std::set<uint32_t> refused;
  int hardwareOverride = -1;
  bool stageProgramForced = false;
  bool heapTuning = true;
  const D3DWindowBridge* bridge = nullptr;
};

FaultState& State() {
  static FaultState state;
  return state;
}

}  // namespace

void SetD3DWindowBridge(const D3DWindowBridge* bridge) { State().bridge = bridge; }
const D3DWindowBridge* GetD3DWindowBridge() { return State().bridge; }

void SetD3DFault(D3DFault fault, bool fail) {
  auto i = static_cast<size_t>(fault);
  if (i < State().faults.size()) State().faults[i] = fail;
}

bool IsD3DFault(D3DFault fault) {
  auto i = static_cast<size_t>(fault);
  return i < State().faults.size() && State().faults[i];
}

void SetD3DFormatRefused(D3DFORMAT format, bool refused) {
  if (refused)
    State().refused.insert(format);
  else
    State().refused.erase(format);
}

bool IsD3DFormatRefused(D3DFORMAT format) { return State().refused.count(format) != 0; }

void SetD3DHardwareOverride(int mode) { State().hardwareOverride = mode; }

int D3DHardwareOverride() { return State().hardwareOverride; }

void SetD3DStageProgramForced(bool forced) { State().stageProgramForced = forced; }
bool IsD3DStageProgramForced() { return State().stageProgramForced; }

void ResetD3DFaults() {
  State().faults.fill(false);
  State().refused.clear();
  State().hardwareOverride = -1;
  State().stageProgramForced = false;
}

void SetD3DHeapTuning(bool on) { State().heapTuning = on; }
bool IsD3DHeapTuning() { return State().heapTuning; }

}  // namespace Platform
