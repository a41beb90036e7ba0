// GuiCamera: a camera drawn as a wire pyramid; selecting it with a non-zero
// mode makes it the view's camera. It is never picked and ignores drags.
#pragma once

#include "editor/extend/ItemGui.h"

class VoICamera;

class GuiCamera : public ItemGui {
 public:
  explicit GuiCamera(VoICamera* camera);
  const char* GetName() override { return "GUI-Camera"; }
  void Drag(MouseRecord) override {}
  void Draw() override;
  void OnSelect(int mode) override;

  VoICamera* Camera() const;
};
