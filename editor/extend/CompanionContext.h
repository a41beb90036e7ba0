// What the companions read of the editor around them: the selection, the
// manipulator settings and the edit space, the auto-key queue, the view
// camera, and the view's drawing surface as a canvas with the frame's window
// mapping. The editor above implements CompanionContext (the document does)
// and installs it; without one the answers are the defaults and nothing is
// drawn.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/manip/PoseQueue.h"
#include "editor/manip/ScreenMap.h"
#include "editor/manip/draw/Canvas.h"

class VoIItem;

// The manipulator settings of the document, as values.
struct ManipulatorSettings {
  float handleRadius = 6.0f;
  float manipulatorSize = 0.25f;
  uint32_t colours[Canvas::ColourCount] = {};
};

class CompanionContext {
 public:
  // The selected item; null when none.
  virtual VoIItem* GetSelectedItem() = 0;
  // 0 local, 1 parent, 2 world.
  virtual int GetEditSpace() = 0;
  virtual ManipulatorSettings GetManipulatorSettings() = 0;
  // The view's drawing surface; null when there is no view.
  virtual Frx::Draw::PDraw* GetDraw() = 0;
  // The texture whose lower cells hold the handle icons; null when missing.
  virtual IDirect3DTexture8* GetHandleTexture() = 0;
  // Puts an edited item into the auto-key queue; null is ignored.
  virtual void QueueDeferred(VoIItem* item) = 0;
  // The item the view looks through; null for the free camera.
  virtual VoIItem* GetViewCamera() = 0;
  virtual void SetViewCamera(VoIItem* camera) = 0;

 protected:
  ~CompanionContext() = default;
};

namespace Companion {

// The installed context (not owned); null uninstalls it.
void SetContext(CompanionContext* context);
CompanionContext* Context();

// The selected item; null when none.
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
