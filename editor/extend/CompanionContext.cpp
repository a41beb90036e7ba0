#include "editor/extend/CompanionContext.h"

#include <algorithm>

#include "editor/document/CTireloDoc.h"
#include "editor/document/DocumentView.h"
#include "editor/host/SavoraHost.h"

namespace Companion {

namespace {

OverlayBatch* activeBatch = nullptr;

class DocumentQueue final : public PoseQueue {
 public:
  void Queue(VoIItem* item) override {
    if (CTireloDoc* doc = GetDocument()) doc->QueueDeferred(item);
  }
};

}  // namespace

CTireloDoc* Document() { return GetDocument(); }

VoIItem* Selected() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->selected.Get() : nullptr;
}

bool IsSelected(const VoIItem* item) { return item && item == Selected(); }

float HandleRadius() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->HandleRadius : 6.0f;
}

int EditSpace() { return TheHost().GetEditSpace(); }

std::optional<Canvas> CurrentCanvas() {
  SavoraHost& host = TheHost();
  Frx::Draw::PDraw* draw = host.GetDraw();
  if (!draw || !draw->device) return std::nullopt;
  std::optional<Canvas> canvas(std::in_place, *draw);
  if (DocumentView* view = CurrentView()) canvas->handles = view->HandleTexture();
  if (CTireloDoc* doc = GetDocument()) {
    canvas->manipulatorSize = doc->ManipulatorSize;
    std::copy(doc->ManipulatorColors, doc->ManipulatorColors + Canvas::ColourCount, canvas->colours);
    canvas->selected = doc->selected.Get();
  }
  canvas->batch = activeBatch;
  return canvas;
}

ScreenMap CurrentScreen() {
  Frx::Draw::PDraw* draw = TheHost().GetDraw();
  if (!draw || !draw->device) return ScreenMap();
  return ScreenMap(draw->GetMatrixWorld2Screen(Frx::Pmatrix::id));
}

BatchScope::BatchScope(OverlayBatch& batch) : previous_(activeBatch), batch_(&batch) { activeBatch = batch_; }

BatchScope::~BatchScope() {
  activeBatch = previous_;
  if (Frx::Draw::PDraw* draw = TheHost().GetDraw()) batch_->Flush(*draw);
}

PoseQueue& Keying() {
  static DocumentQueue queue;
  return queue;
}

}  // namespace Companion
