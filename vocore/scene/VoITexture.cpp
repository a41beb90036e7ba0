#include "vocore/scene/VoITexture.h"

#include "vocore/render/VoRenderState.h"

VoITexture::VoITexture(VoIBranch* p) : VoIItem(p) { state |= STATE_MARK10; }

VoITexture::~VoITexture() {
  delete render;
  delete[] pixels;
}

void VoITexture::SetRender(VoRenderTexture* r) {
  if (r == render) return;
  delete render;
  render = r;
}

int VoITexture::Update(unsigned long) {
  if (render) render->Refresh();
  return 1;
}
