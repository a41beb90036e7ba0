#include "MeshBuild.h"

namespace geotest {

void Fill(VoIPolygon& polygon, const std::vector<Pvector>& points,
          const std::vector<std::vector<uint32_t>>& faces, VoVertex::VoFixType fix) {
  VoVertex* vertex = new VoVertex();
  vertex->Alloc(static_cast<int>(points.size()));
  for (size_t i = 0; i < points.size(); ++i) vertex->Set(static_cast<int>(i), points[i]);
  vertex->FlushLock(fix);
  VoFace* face = new VoFace();
  face->resize(static_cast<int>(faces.size()));
  for (size_t f = 0; f < faces.size(); ++f) {
    VoFaceElement& e = face->array[f];
    e.SetCount(static_cast<int>(faces[f].size()));
    for (size_t k = 0; k < faces[f].size() && k < 4; ++k) e.index[k] = faces[f][k];
  }
  polygon.AttachVertex(vertex);
  polygon.AttachFace(face);
}

void AppendGrid(VoIPolygon& polygon, int w, int h, const Pvector& origin) {
  if (!polygon.GetVertex()) polygon.AttachVertex(new VoVertex());
  if (!polygon.GetFace()) polygon.AttachFace(new VoFace());
  VoVertex& v = *polygon.GetVertex();
  VoFace& f = *polygon.GetFace();
  const int base = v.GetNum();
  v.Alloc(base + (w + 1) * (h + 1));
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x)
      v.Set(base + y * (w + 1) + x, origin + Pvector(static_cast<float>(x), static_cast<float>(y), 0.0f));
  const int faceBase = f.count;
  f.resize(faceBase + w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      VoFaceElement& e = f.array[faceBase + y * w + x];
      const uint32_t i0 = static_cast<uint32_t>(base + y * (w + 1) + x);
      e.SetCount(4);
      e.index[0] = i0;
      e.index[1] = i0 + 1;
      e.index[2] = i0 + 1 + static_cast<uint32_t>(w + 1);
      e.index[3] = i0 + static_cast<uint32_t>(w + 1);
    }
}

void FillBox(VoIPolygon& polygon, const Pvector& a, const Pvector& b) {
  // Corner i has x from bit 0, y from bit 1, z from bit 2.
  std::vector<Pvector> p;
  for (int i = 0; i < 8; ++i) p.emplace_back((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z);
  Fill(polygon, p,
       {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}});
}

}  // namespace geotest
