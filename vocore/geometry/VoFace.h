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
  // Type word: bits 0-3 the corner count (0 a deleted face), ALL_RIGID when
  // every corner is rigid, MARK20 set at construction, MARK40.
  enum : uint32_t { COUNT_MASK = 0x0F, ALL_RIGID = 0x10, MARK20 = 0x20, MARK40 = 0x40 };
  static constexpr int MaxCorners = 4;

  VoFaceElement() = default;
  VoFaceElement(const VoFaceElement& other) { Copy(other); }
  VoFaceElement& operator=(const VoFaceElement& other) {
    Copy(other);
    return *this;
  }
  // Out of line, so the table of virtuals lives in the engine, not in every
  // module that makes faces.
  virtual ~VoFaceElement();

  // Type word, indices, (u, v) pairs and material reference.
  void Copy(const VoFaceElement& source);
  void Copy(const VoFaceElement* source) {
    if (source) Copy(*source);
  }

  // The corner count as the type word states it (0..15).
  int GetCount() const { return static_cast<int>(type & COUNT_MASK); }
  void SetCount(int n) { type = (type & ~COUNT_MASK) | (static_cast<uint32_t>(n) & COUNT_MASK); }
  // The corner count when the face can be walked safely: 1..4 corners that
  // all index one of `numVertex` positions; else 0. Face tables are filled
  // directly by importers, so every walk over corners goes through this.
  int GetValidCount(int numVertex) const;

  // Drawing group key: (material address / 4) << 8 | corner count | 0x20 when
  // ALL_RIGID | 0x40 when MARK40 | 0x80 when MARK20.
  unsigned long GetGroupID() const;

  VoFaceElementType type = MARK20;
  uint32_t index[MaxCorners] = {0, 0, 0, 0};
  float uv[MaxCorners][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  VoRefer<VoIMaterial> material;
};

class VoFace : public Frx::PrefTarget, public Ptable<VoFaceElement> {
 public:
  // A copy of every element of the source when given; else empty.
  explicit VoFace(const VoFace* source = nullptr);
  void DeleteThis() override { delete this; }

  // The element count, not the reference count (GetRefCount) of the target base.
  using Ptable<VoFaceElement>::count;
  using Ptable<VoFaceElement>::array;

  // The face's material; null when unset, released or the index is out of range.
  VoIMaterial* GetMaterial(int i) const;
};
