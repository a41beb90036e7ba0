// VoRenderer: the abstract renderer a host hands to VoMaster::Initialize. A
// null renderer is valid: items then get no render objects (headless hosts).
#pragma once

#include "vocore/diblib/DibTexture.h"
#include "vocore/render/VoRenderState.h"

class VoIGeometry;
class VoIMaterial;
class VoITexture;

class VoRenderer {
 public:
  virtual ~VoRenderer() = default;
  // The caller (the item) owns what these return; null means no device data.
  virtual VoRenderGeometry* CreateRenderGeometry(VoIGeometry* geometry) = 0;
  virtual VoRenderMaterial* CreateRenderMaterial(VoIMaterial* material) = 0;
  virtual VoRenderTexture* CreateRenderTexture(VoITexture* texture) = 0;
  virtual void InitialFrame() = 0;
  // What imported images are fitted to (largest sides, bit depth); a
  // renderer that knows no better reports the defaults.
  virtual DibTextureCaps GetTextureCaps() const { return DibTextureCaps(); }
};
