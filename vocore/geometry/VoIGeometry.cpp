#include "vocore/geometry/VoIGeometry.h"

#include "vocore/render/VoRenderState.h"

VoIGeometry::~VoIGeometry() { delete render; }

void VoIGeometry::SetRender(VoRenderGeometry* r) {
  if (r == render) return;
  delete render;
  render = r;
}
