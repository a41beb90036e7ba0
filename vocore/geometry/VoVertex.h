// VoVertex: a counted array of positions (or normals) with a fix type each.
// A position whose three components are all DELETED is a deleted vertex; its
// slot is kept so face indices stay valid.
#pragma once

#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/Ptable.h"

class VoVertex : public Frx::PrefTarget {
 public:
  // 0 moved by deformation; 2 rigid; 1 rigid but sharing a face with a moved
  // vertex (set by VoIPolygon::OptimizeFaceFix).
  enum VoFixType { FIX_MOVED = 0, FIX_SHARED = 1, FIX_RIGID = 2 };
  static constexpr float DELETED = 3.4028235e38f;

  // A copy of the source's positions and fix types when given; else empty.
  explicit VoVertex(const VoVertex* source = nullptr);
  void DeleteThis() override { delete this; }

  int GetNum() const { return positions.count; }
  int Size() const { return positions.count; }
  int size() const { return positions.count; }
  Frx::Pvector* Get() { return positions.array; }
  const Frx::Pvector* Get() const { return positions.array; }
  // Unchecked, like the array itself.
  Frx::Pvector& Get(int i) { return positions.array[i]; }
  const Frx::Pvector& Get(int i) const { return positions.array[i]; }
  const Frx::Pvector& Set(int i, const Frx::Pvector& v) { return positions.array[i] = v; }
  void Flush();

  // The fix array may be shorter than the positions (Alloc(0) keeps it):
  // reads past it give FIX_MOVED and writes past it are ignored.
  VoFixType* GetFix() { return fix.array; }
  int GetNumFix() const { return fix.count; }
  VoFixType GetFix(int i) const;
  void SetFix(int i, VoFixType type);
  void FlushLock(VoFixType type);

  void Free();
  // Resizes the positions and, for n > 0, the fix types, keeping the first
  // min(old, n) of each; new entries are zero (fix type FIX_MOVED).
  void Alloc(int n);
  void Resize(int n) { Alloc(n); }
  void Copy(const VoVertex& source);
  void Copy(const VoVertex* source) {
    if (source) Copy(*source);
  }

  static bool IsDeleted(const Frx::Pvector& v) {
    return v.x == DELETED && v.y == DELETED && v.z == DELETED;
  }
  static Frx::Pvector Deleted() { return Frx::Pvector(DELETED, DELETED, DELETED); }

  // Mean of the live positions; (0, 0, 0) when there is none.
  Frx::Pvector GetCenter() const;
  // Per-axis extremes of the live positions; both (0, 0, 0) when there is
  // none, so a deleted slot never stretches the box to the float limit.
  void GetBoundBox(Frx::Pvector& min, Frx::Pvector& max) const;

  Ptable<Frx::Pvector> positions;
  Ptable<VoFixType> fix;
};
