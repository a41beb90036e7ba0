// What the companions read of the editor around them: the program's document
// (selection, manipulator settings, auto-key queue), the host's edit space,
// and the view's drawing surface as a canvas with the frame's window mapping.
// Without a document or a surface the answers are the defaults and nothing
// is drawn.
#pragma once

#include <optional>

#include "editor/manip/PoseQueue.h"
#include "editor/manip/ScreenMap.h"
#include "editor/manip/draw/Canvas.h"

class CTireloDoc;
class VoIItem;

namespace Companion {

CTireloDoc* Document();
// The document's selected item; null when none.
VoIItem* Selected();
bool IsSelected(const VoIItem* item);
float HandleRadius();
// 0 local, 1 parent, 2 world.
int EditSpace();
// The canvas on the view's surface with the handle texture and the
// document's manipulator settings; empty when there is no surface.
std::optional<Canvas> CurrentCanvas();
// The surface's current world-to-window mapping; the identity without one.
ScreenMap CurrentScreen();
// The document's auto-key queue.
PoseQueue& Keying();

// While one lives, canvases batch marks and bone shapes into `batch`; the
// scope draws what is left when it ends. Scopes nest (the innermost wins).
class BatchScope {
 public:
  explicit BatchScope(OverlayBatch& batch);
  ~BatchScope();
  BatchScope(const BatchScope&) = delete;
  BatchScope& operator=(const BatchScope&) = delete;

 private:
  OverlayBatch* previous_;
  OverlayBatch* batch_;
};

}  // namespace Companion
