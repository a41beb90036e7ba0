#include "editor/extend/GuiCamera.h"

#include <optional>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/draw/ItemShapes.h"
#include "vocore/scene/VoICamera.h"

GuiCamera::GuiCamera(VoICamera* camera) : ItemGui(camera) {}

VoICamera* GuiCamera::Camera() const { return item ? item->IsCamera() : nullptr; }

void GuiCamera::Draw() {
  if (std::optional<Canvas> canvas = Companion::CurrentCanvas()) DrawCameraShape(*canvas, Camera());
}

void GuiCamera::OnSelect(int mode) {
  CompanionContext* context = Companion::Context();
  if (mode == 0 || !context || !Companion::IsSelected(item)) return;
  if (context->GetViewCamera() != item) context->SetViewCamera(item);
}
