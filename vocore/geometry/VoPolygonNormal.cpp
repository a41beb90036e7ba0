// Vertex normals, face fix types and compaction of a polygon mesh.
#include <vector>

#include "vocore/geometry/VoIPolygon.h"

VoVertex* VoIPolygon::CreateNormal() {
  ReleaseNormal();
  VoVertex* positions = GetVertex();
  if (!positions || positions->GetNum() <= 0) return nullptr;
  VoVertex* normals = new VoVertex();
  normals->Alloc(positions->GetNum());
  AttachNormal(normals);
  return normals;
}

void VoIPolygon::SolveNormal_Grow() {
  VoVertex* positions = GetVertex();
  VoFace* table = GetFace();
  VoVertex* normals = GetNormal();
  if (!positions || !table || !normals) return;
  normals->Flush();
  // Corners must index both arrays; they differ in length only until the
  // next Update makes the normals again.
  const int numVertex = positions->GetNum() < normals->GetNum() ? positions->GetNum() : normals->GetNum();
  const Frx::Pvector* p = positions->Get();
  Frx::Pvector* out = normals->Get();

  for (int f = 0; f < table->count; ++f) {
    const VoFaceElement& e = table->array[f];
    const int n = e.GetValidCount(numVertex);
    if (n < 3) continue;
    const uint32_t* c = e.index;
    // A deleted corner holds the float limit and would spread inf/NaN into
    // the normals of the face's live corners.
    bool deleted = false;
    for (int k = 0; k < n; ++k) deleted = deleted || VoVertex::IsDeleted(p[c[k]]);
    if (deleted) continue;
    Frx::Pvector N = (p[c[1]] - p[c[2]]).GetCrossProduct(p[c[0]] - p[c[1]]);
    if (n == 4) {
      const Frx::Pvector M = (p[c[2]] - p[c[3]]).GetCrossProduct(p[c[0]] - p[c[2]]);
      N = (N + M) * 0.5f;
    }
    // Not normalised: larger faces weigh more.
    for (int k = 0; k < n; ++k) out[c[k]] += N;
  }

  for (int i = 0; i < normals->GetNum(); ++i) {
    const float len = out[i].GetSize();
    if (len > 0.0f) out[i] *= 1.0f / len;
  }
}

void VoIPolygon::OptimizeFaceFix() {
  VoVertex* positions = GetVertex();
  VoFace* table = GetFace();
  if (!positions || !table) return;
  const int numVertex = positions->GetNum();
  for (int f = 0; f < table->count; ++f) {
    VoFaceElement& e = table->array[f];
    const int n = e.GetValidCount(numVertex);
    bool allFixed = true;
    for (int k = 0; k < n; ++k) allFixed = allFixed && positions->GetFix(static_cast<int>(e.index[k])) != 0;
    if (!allFixed) {
      for (int k = 0; k < n; ++k) {
        const int v = static_cast<int>(e.index[k]);
        if (positions->GetFix(v) == VoVertex::FIX_RIGID) positions->SetFix(v, VoVertex::FIX_SHARED);
      }
    }
    bool allRigid = true;
    for (int k = 0; k < n; ++k)
      allRigid = allRigid && positions->GetFix(static_cast<int>(e.index[k])) == VoVertex::FIX_RIGID;
    if (allRigid)
      e.type |= VoFaceElement::ALL_RIGID;
    else
      e.type &= ~static_cast<uint32_t>(VoFaceElement::ALL_RIGID);
  }
}

void VoIPolygon::OptimizeCompact() {
  VoVertex* positions = GetVertex();
  if (!positions) return;
  const int numVertex = positions->GetNum();
  std::vector<char> used(static_cast<size_t>(numVertex > 0 ? numVertex : 0), 0);
  if (VoFace* table = GetFace()) {
    for (int f = 0; f < table->count; ++f) {
      const VoFaceElement& e = table->array[f];
      const int n = e.GetValidCount(numVertex);
      for (int k = 0; k < n; ++k) used[e.index[k]] = 1;
    }
  }
  for (int i = 0; i < numVertex; ++i)
    if (!used[i]) positions->Set(i, VoVertex::Deleted());
}
