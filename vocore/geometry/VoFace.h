// VoFaceElement: one face (2, 3 or 4 corners); VoFace: a counted face table.
#pragma once

#include <cstdint>

#include "ferrox/link/PrefTarget.h"
#include "vocore/item/Ptable.h"
#include "vocore/item/VoRefer.h"
#include "vocore/scene/VoIMaterial.h"

typedef uint32_t VoFaceElementType;

class VoFaceElement {
 public:
  enum : uint32_t { COUNT_MASK = 0x0F, ALL_RIGID = 0x10, MARK20 = 0x20, MARK40 = 0x40 };
  virtual ~VoFaceElement() = default;

  int GetCount() const { return static_cast<int>(type & COUNT_MASK); }

  VoFaceElementType type = MARK20;
  uint32_t index[4] = {0, 0, 0, 0};
  float uv[4][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  VoRefer<VoIMaterial> material;
};

class VoFace : public Frx::PrefTarget, public Ptable<VoFaceElement> {
 public:
  VoFace() = default;
  void DeleteThis() override { delete this; }
};
