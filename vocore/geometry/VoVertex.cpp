#include "vocore/geometry/VoVertex.h"

#include <algorithm>

VoVertex::VoVertex(const VoVertex* source) {
  if (source) Copy(*source);
}

void VoVertex::Flush() {
  for (int i = 0; i < positions.count; ++i) positions.array[i] = Frx::Pvector(0.0f, 0.0f, 0.0f);
}

VoVertex::VoFixType VoVertex::GetFix(int i) const {
  return (i >= 0 && i < fix.count) ? fix.array[i] : FIX_MOVED;
}

void VoVertex::SetFix(int i, VoFixType type) {
  if (i >= 0 && i < fix.count) fix.array[i] = type;
}

void VoVertex::FlushLock(VoFixType type) {
  for (int i = 0; i < fix.count; ++i) fix.array[i] = type;
}

void VoVertex::Free() {
  positions.clear();
  fix.clear();
}

void VoVertex::Alloc(int n) {
  positions.resize(n);
  if (n > 0) fix.resize(n);
}

void VoVertex::Copy(const VoVertex& source) {
  if (&source == this) return;
  positions = source.positions;
  fix = source.fix;
}

Frx::Pvector VoVertex::GetCenter() const {
  // Summed in double: a 100k-vertex mesh far from the origin loses digits in float.
  double sx = 0, sy = 0, sz = 0;
  int live = 0;
  for (int i = 0; i < positions.count; ++i) {
    const Frx::Pvector& p = positions.array[i];
    if (IsDeleted(p)) continue;
    sx += p.x;
    sy += p.y;
    sz += p.z;
    ++live;
  }
  if (live == 0) return Frx::Pvector(0.0f, 0.0f, 0.0f);
  return Frx::Pvector(static_cast<float>(sx / live), static_cast<float>(sy / live),
                      static_cast<float>(sz / live));
}

void VoVertex::GetBoundBox(Frx::Pvector& min, Frx::Pvector& max) const {
  bool any = false;
  for (int i = 0; i < positions.count; ++i) {
    const Frx::Pvector& p = positions.array[i];
    if (IsDeleted(p)) continue;
    if (!any) {
      min = max = p;
      any = true;
      continue;
    }
    min = Frx::Pvector(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
    max = Frx::Pvector(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
  }
  if (!any) min = max = Frx::Pvector(0.0f, 0.0f, 0.0f);
}
