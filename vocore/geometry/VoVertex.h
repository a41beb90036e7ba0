// VoVertex: a counted array of positions (or normals) with a fix type each.
#pragma once

#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/Ptable.h"

class VoVertex : public Frx::PrefTarget {
 public:
  enum VoFixType { FIX_MOVED = 0, FIX_SHARED = 1, FIX_RIGID = 2 };

  explicit VoVertex(const VoVertex* source = nullptr);
  void DeleteThis() override { delete this; }

  int GetNum() const { return positions.count; }
  int Size() const { return positions.count; }
  int size() const { return positions.count; }
  Frx::Pvector* Get() { return positions.array; }
  Frx::Pvector& Get(int i) { return positions.array[i]; }
  const Frx::Pvector& Set(int i, const Frx::Pvector& v) { return positions.array[i] = v; }

  Ptable<Frx::Pvector> positions;
  Ptable<VoFixType> fix;
};
