// VoRenderState: device data of one item, owned by the item. The renderer
// makes one per geometry, material and texture item.
#pragma once

class VoRenderState {
 public:
  virtual ~VoRenderState() = default;
  // Rebuilds the device data from the item when its update flags are set.
  virtual void Refresh() = 0;
  // Frees device data that does not survive a device reset.
  virtual void Reset() = 0;
};

class VoRenderGeometry : public VoRenderState {
 public:
  virtual void Draw() = 0;
};

class VoRenderMaterial : public VoRenderState {
 public:
  void Reset() override {}
};

class VoRenderTexture : public VoRenderState {
 public:
  void Reset() override {}
};
