#include "OsmiraFixture.h"

#include <cmath>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "vocore/geometry/VoFace.h"

namespace osmiratest {

Mesh SquareTube(const std::vector<float>& ys, float half) {
  Mesh m;
  const float corner[4][2] = {{half, half}, {half, -half}, {-half, -half}, {-half, half}};
  for (float y : ys)
    for (const auto& c : corner) m.positions.emplace_back(c[0], y, c[1]);
  for (uint32_t r = 0; r + 1 < ys.size(); ++r)
    for (uint32_t k = 0; k < 4; ++k) {
      const uint32_t a = r * 4 + k, b = r * 4 + (k + 1) % 4;
      m.faces.push_back({a, b, b + 4, a + 4});
    }
  return m;
}

Mesh Box(const Frx::Pvector& lo, const Frx::Pvector& hi) {
  Mesh m;
  for (int i = 0; i < 8; ++i)
    m.positions.emplace_back(i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z);
  m.faces = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  return m;
}

Mesh Ellipsoid(const Frx::Pvector& centre, const Frx::Pvector& radii, int slices, int stacks) {
  Mesh m;
  m.positions.push_back(centre + Frx::Pvector(0, radii.y, 0));
  for (int i = 1; i < stacks; ++i) {
    const double t = 3.14159265358979 * i / stacks;
    for (int j = 0; j < slices; ++j) {
      const double f = 2 * 3.14159265358979 * j / slices;
      m.positions.push_back(centre + Frx::Pvector(float(radii.x * std::sin(t) * std::cos(f)),
                                                  float(radii.y * std::cos(t)),
                                                  float(radii.z * std::sin(t) * std::sin(f))));
    }
  }
  m.positions.push_back(centre - Frx::Pvector(0, radii.y, 0));
  const uint32_t last = uint32_t(m.positions.size() - 1);
  auto ring = [slices](int i, int j) { return uint32_t(1 + (i - 1) * slices + (j % slices)); };
  for (int j = 0; j < slices; ++j) {
    m.faces.push_back({0, ring(1, j + 1), ring(1, j)});
    for (int i = 1; i + 1 < stacks; ++i) {
      m.faces.push_back({ring(i, j), ring(i, j + 1), ring(i + 1, j)});
      m.faces.push_back({ring(i, j + 1), ring(i + 1, j + 1), ring(i + 1, j)});
    }
    m.faces.push_back({last, ring(stacks - 1, j), ring(stacks - 1, j + 1)});
  }
  return m;
}

Mesh Join(const Mesh& a, const Mesh& b) {
  Mesh m = a;
  const uint32_t shift = uint32_t(a.positions.size());
  m.positions.insert(m.positions.end(), b.positions.begin(), b.positions.end());
  for (std::vector<uint32_t> f : b.faces) {
    for (uint32_t& i : f) i += shift;
    m.faces.push_back(f);
  }
  return m;
}

void OsmiraFixture::SetUp() {
  MasterFixture::SetUp();
  master.RegistClassDesc(&osmiraformDesc);
  master.RegistClassDesc(&sphericalDesc);
  master.RegistClassDesc(&kviDesc);
}

Rig BuildRig(VoMaster& master, VoIBranch* parent, const std::vector<BoneSpec>& wanted) {
  auto make = [&master](auto* item, const std::string& name) {
    master.CreateState(item);
    item->SetName(name.c_str());
    return item;
  };
  Rig rig;
  rig.character = make(new VoICharacter(parent), "chara");
  rig.skeleton = make(new VoISkelton(rig.character), "skel");
  std::vector<VoILocate*> ends;
  for (const BoneSpec& s : wanted) {
    VoIBone* up = s.parent >= 0 ? rig.bones[size_t(s.parent)] : nullptr;
    VoIBranch* under = up ? static_cast<VoIBranch*>(up) : rig.skeleton;
    VoILocate* start = up && ends[size_t(s.parent)]->GetWPos() == s.start ? ends[size_t(s.parent)] : nullptr;
    if (!start) {
      start = make(new VoILocate(under), "j_" + std::string(s.name));
      start->SetWPos(s.start);
    }
    VoIBone* bone = make(new VoIBone(under), s.name);
    VoILocate* end = make(new VoILocate(bone), "e_" + std::string(s.name));
    end->SetWPos(s.end);
    bone->SetStartLocate(start);
    bone->SetEndLocate(end);
    bone->SetHeadVector(s.head);
    rig.bones.push_back(bone);
    ends.push_back(end);
  }
  rig.skeleton->InitialUpdate();
  return rig;
}

VoIPolygon* BuildPolygon(VoMaster& master, VoIBranch* parent, const char* name, const Mesh& mesh,
                         VoIMaterial* material) {
  auto* polygon = master.NewItem<VoIPolygon>(parent);
  polygon->SetName(name);
  VoVertex* v = master.CreateVertex();
  v->Alloc(int(mesh.positions.size()));
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    v->Set(int(i), mesh.positions[i]);
    v->SetFix(int(i), VoVertex::FIX_RIGID);
  }
  VoFace* f = master.CreateFace();
  f->resize(int(mesh.faces.size()));
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    VoFaceElement& e = f->array[i];
    e.SetCount(int(mesh.faces[i].size()));
    for (size_t k = 0; k < mesh.faces[i].size(); ++k) e.index[k] = mesh.faces[i][k];
    e.material = material;
  }
  polygon->AttachVertex(v);
  polygon->AttachFace(f);
  return polygon;
}

Rig OsmiraFixture::MakeRig(const std::vector<BoneSpec>& wanted) {
  Rig rig = BuildRig(master, nullptr, wanted);
  roots.push_back(rig.character);
  return rig;
}

VoIPolygon* OsmiraFixture::MakePolygon(VoIBranch* parent, const char* name, const Mesh& mesh, VoIMaterial* material) {
  VoIPolygon* polygon = BuildPolygon(master, parent, name, mesh, material);
  if (!parent) roots.push_back(polygon);
  return polygon;
}

void OsmiraFixture::Frame(VoICharacter* character) {
  master.CountUpdate();
  master.Animation(character, Frx::Pmatrix::id, 0.0f);
}

void TurnBone(VoIBone* bone, const Frx::Pvector& axis, float degrees) {
  // World turn W' = W × D with W = R(rot) × R(parent): R(rot') = R(rot) × Rp × D × Rp⁻¹.
  Frx::Pmatrix parent = bone->GetParentMatrix();
  parent.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  Frx::Pquaternion d;
  d.SetVector(axis, degrees * 3.14159265f / 180.0f);
  Frx::Pmatrix turn, own;
  turn.SetRotate(d);
  own.SetRotate(bone->GetRotate());
  Frx::Pquaternion rot;
  rot.SetMatrix(own * parent * turn * parent.GetInverse());
  bone->SetRotate(rot);
}

}  // namespace osmiratest
