// VoIGeometry: an object that owns vertex positions and a render object.
#pragma once

#include "vocore/geometry/VoVertex.h"
#include "vocore/scene/VoIObject.h"

class VoRenderGeometry;

class VoIGeometry : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 35 };
  enum : unsigned short { UPDATE_VERTEX = 0x10 };
  explicit VoIGeometry(VoIBranch* parent = nullptr) : VoIObject(parent) {}
  ~VoIGeometry() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 18; }
  VoIGeometry* IsGeometry() override { return this; }

  // Deletes the current render object and keeps the new one.
  void SetRender(VoRenderGeometry* r);
  VoRenderGeometry* GetRender() const { return render; }

  VoRefer<VoVertex> vertex;
  VoRenderGeometry* render = nullptr;
};
