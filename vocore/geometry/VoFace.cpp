#include "vocore/geometry/VoFace.h"

#include <cstdint>

void VoFaceElement::Copy(const VoFaceElement& source) {
  if (&source == this) return;
  type = source.type;
  for (int i = 0; i < MaxCorners; ++i) {
    index[i] = source.index[i];
    uv[i][0] = source.uv[i][0];
    uv[i][1] = source.uv[i][1];
  }
  material = source.material;
}

int VoFaceElement::GetValidCount(int numVertex) const {
  const int n = GetCount();
  if (n < 1 || n > MaxCorners) return 0;
  for (int i = 0; i < n; ++i)
    if (numVertex <= 0 || index[i] >= static_cast<uint32_t>(numVertex)) return 0;
  return n;
}

unsigned long VoFaceElement::GetGroupID() const {
  const auto address = reinterpret_cast<uintptr_t>(material.Get());
  unsigned long id = static_cast<unsigned long>(address / 4) << 8;
  id |= type & COUNT_MASK;
  if (type & ALL_RIGID) id |= 0x20;
  if (type & MARK40) id |= 0x40;
  if (type & MARK20) id |= 0x80;
  return id;
}

VoFace::VoFace(const VoFace* source) {
  if (source) Ptable<VoFaceElement>::operator=(*source);
}

VoIMaterial* VoFace::GetMaterial(int i) const {
  if (i < 0 || i >= count) return nullptr;
  return array[i].material.Get();
}

VoFaceElement::~VoFaceElement() = default;
