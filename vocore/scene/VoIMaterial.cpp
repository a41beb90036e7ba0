#include "vocore/scene/VoIMaterial.h"

#include "vocore/render/VoRenderState.h"
#include "vocore/scene/VoITexture.h"

VoIMaterial::VoIMaterial(VoIBranch* p) : VoIItem(p) { state |= STATE_MARK10; }

VoIMaterial::~VoIMaterial() { delete render; }

void VoIMaterial::SetRender(VoRenderMaterial* r) {
  if (r == render) return;
  delete render;
  render = r;
}

int VoIMaterial::Update(unsigned long) {
  if (render) render->Refresh();
  return 1;
}
