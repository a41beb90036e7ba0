#include "editor/extend/CompanionContext.h"

#include <algorithm>

namespace Companion {

namespace {

CompanionContext* installed = nullptr;
OverlayBatch* activeBatch = nullptr;

class ContextQueue final : public PoseQueue {
 public:
  void Queue(VoIItem* item) override {
    if (installed) installed->QueueDeferred(item);
  }
};

Frx::Draw::PDraw* Surface() { return installed ? installed->GetDraw() : nullptr; }

}  // namespace

void SetContext(CompanionContext* context) { installed = context; }

CompanionContext* Context() { return installed; }

VoIItem* Selected() { return installed ? installed->GetSelectedItem() : nullptr; }

bool IsSelected(const VoIItem* item) { return item && item == Selected(); }

float HandleRadius() { return installed ? installed->GetManipulatorSettings().handleRadius : 6.0f; }

int EditSpace() { return installed ? installed->GetEditSpace() : 0; }

std::optional<Canvas> CurrentCanvas() {
  Frx::Draw::PDraw* draw = Surface();
  if (!draw || !draw->device) return std::nullopt;
  std::optional<Canvas> canvas(std::in_place, *draw);
  canvas->handles = installed->GetHandleTexture();
  const ManipulatorSettings settings = installed->GetManipulatorSettings();
  canvas->manipulatorSize = settings.manipulatorSize;
  std::copy(settings.colours, settings.colours + Canvas::ColourCount, canvas->colours);
  canvas->selected = installed->GetSelectedItem();
  canvas->batch = activeBatch;
  return canvas;
}

ScreenMap CurrentScreen() {
  Frx::Draw::PDraw* draw = Surface();
  if (!draw || !draw->device) return ScreenMap();
  return ScreenMap(draw->GetMatrixWorld2Screen(Frx::Pmatrix::id));
}

BatchScope::BatchScope(OverlayBatch& batch) : previous_(activeBatch), batch_(&batch) { activeBatch = batch_; }

BatchScope::~BatchScope() {
  activeBatch = previous_;
  if (Frx::Draw::PDraw* draw = Surface()) batch_->Flush(*draw);
}

PoseQueue& Keying() {
  static ContextQueue queue;
  return queue;
}

}  // namespace Companion
