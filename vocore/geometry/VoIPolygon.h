// VoIPolygon: a geometry with faces and vertex normals.
#pragma once

#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIGeometry.h"

class VoIPolygon : public VoIGeometry {
 public:
  enum : unsigned long { CLASS_ID = 36 };
  enum : unsigned short { UPDATE_FACE = 0x20, UPDATE_NORMAL = 0x40 };
  explicit VoIPolygon(VoIBranch* parent = nullptr) : VoIGeometry(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 17; }
  VoIPolygon* IsPolygon() override { return this; }

  VoRefer<VoFace> face;
  VoRefer<VoVertex> normal;
};
