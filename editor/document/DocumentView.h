// DocumentView: the 3D view as the document and the host interface reach it:
// its window, its drawing surface with the handle texture, the hand-over of
// its input state to the companions, and one frame. The view (CTireloView)
// implements it and makes itself the program's view while it lives.
#pragma once

#include "ferrox/draw/PDraw.h"
#include "platform/win32/WinTypes.h"

class DocumentView {
 public:
  virtual HWND Window() const = 0;
  virtual Frx::Draw::PDraw& Draw() = 0;
  // The texture whose lower cells hold the handle icons; null when missing.
  virtual IDirect3DTexture8* HandleTexture() const = 0;
  // Hands the current input state to the time bar and the companions.
  virtual void DispatchInput() = 0;
  // One frame at `frame` (the frame loop).
  virtual void RenderFrame(float frame) = 0;

 protected:
  ~DocumentView() = default;
};

// The program's view (not owned); null when there is none.
DocumentView* CurrentView();
void SetCurrentView(DocumentView* view);
