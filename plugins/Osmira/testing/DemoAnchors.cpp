#include "plugins/Osmira/testing/DemoAnchors.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace osmiratest {

std::vector<VoIPolygon*> MakeBoneAnchors(VoMaster& master, VoIBranch* parent, VoISkelton* skeleton, int slices,
                                         int stacks) {
  std::vector<VoIPolygon*> anchors;
  VoIBranch::ItemList bones;
  skeleton->GetGroupList(bones, VoIBone::CLASS_ID);
  for (VoIItem* item : bones) {
    VoIBone* bone = item->IsBone();
    const float length = (bone->GetSPosEnd() - bone->GetSPosStart()).GetSize();
    const float across = 1.3f * std::max(bone->GetHeadLength(), 2.0f);
    const float along = 0.65f * length;
    // The bone's standard frame runs z from its start to its end.
    const Frx::Pmatrix toWorld = bone->S.GetInverse();
    VoVertex* v = master.CreateVertex();
    VoFace* f = master.CreateFace();
    std::vector<Frx::Pvector> points;
    points.push_back(Frx::Pvector(0, 0, 0.5f * length + along));
    for (int i = 1; i < stacks; ++i) {
      const double t = 3.14159265358979 * i / stacks;
      for (int j = 0; j < slices; ++j) {
        const double a = 2 * 3.14159265358979 * j / slices;
        points.emplace_back(float(across * std::sin(t) * std::cos(a)), float(across * std::sin(t) * std::sin(a)),
                            float(0.5 * length + along * std::cos(t)));
      }
    }
    points.push_back(Frx::Pvector(0, 0, 0.5f * length - along));
    v->Alloc(int(points.size()));
    for (size_t i = 0; i < points.size(); ++i) v->Set(int(i), toWorld * points[i]);
    auto ring = [slices](int i, int j) { return uint32_t(1 + (i - 1) * slices + j % slices); };
    const uint32_t last = uint32_t(points.size() - 1);
    std::vector<std::array<uint32_t, 3>> triangles;
    for (int j = 0; j < slices; ++j) {
      triangles.push_back({0, ring(1, j + 1), ring(1, j)});
      for (int i = 1; i + 1 < stacks; ++i) {
        triangles.push_back({ring(i, j), ring(i, j + 1), ring(i + 1, j)});
        triangles.push_back({ring(i, j + 1), ring(i + 1, j + 1), ring(i + 1, j)});
      }
      triangles.push_back({last, ring(stacks - 1, j), ring(stacks - 1, j + 1)});
    }
    f->resize(int(triangles.size()));
    for (size_t i = 0; i < triangles.size(); ++i) {
      f->array[i].SetCount(3);
      for (int k = 0; k < 3; ++k) f->array[i].index[k] = triangles[i][size_t(k)];
    }
    VoIPolygon* anchor = master.NewItem<VoIPolygon>(parent);
    anchor->SetName(("anchor_" + bone->name).c_str());
    anchor->AttachVertex(v);
    anchor->AttachFace(f);
    anchor->SetCoordinate(bone);
    anchor->SwHide(1);
    anchors.push_back(anchor);
  }
  return anchors;
}

}  // namespace osmiratest
