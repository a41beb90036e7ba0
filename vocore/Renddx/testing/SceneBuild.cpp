#include "vocore/Renddx/testing/SceneBuild.h"

#include <array>
#include <cmath>
#include <cstring>

#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoMaster.h"

namespace votest {

void MeshData::AddFace(std::initializer_list<uint32_t> corners, std::initializer_list<std::array<float, 2>> uv) {
  VoFaceElement e;
  e.SetCount(static_cast<int>(corners.size()));
  int k = 0;
  for (uint32_t i : corners) e.index[k++] = i;
  k = 0;
  for (const auto& p : uv) e.uv[k][0] = p[0], e.uv[k][1] = p[1], ++k;
  faces.push_back(e);
}

MeshData Quad(float h) {
  MeshData m;
  m.positions = {{-h, h, 0}, {h, h, 0}, {h, -h, 0}, {-h, -h, 0}};
  m.AddFace({0, 1, 2, 3}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  return m;
}

MeshData Sphere(float radius, int slices, int stacks) {
  // One position per pole and one ring per inner latitude, shared all round,
  // so normals are continuous; the seam is split by (u, v) alone.
  MeshData m;
  const float pi = 3.1415927f;
  m.positions.push_back({0, radius, 0});
  for (int s = 1; s < stacks; ++s)
    for (int c = 0; c < slices; ++c) {
      const float theta = pi * s / stacks, phi = 2 * pi * c / slices;
      m.positions.push_back({radius * std::sin(theta) * std::cos(phi), radius * std::cos(theta),
                             radius * std::sin(theta) * std::sin(phi)});
    }
  const uint32_t bottom = static_cast<uint32_t>(m.positions.size());
  m.positions.push_back({0, -radius, 0});
  auto at = [&](int s, int c) {
    if (s == 0) return 0u;
    if (s == stacks) return bottom;
    return static_cast<uint32_t>(1 + (s - 1) * slices + c % slices);
  };
  for (int s = 0; s < stacks; ++s)
    for (int c = 0; c < slices; ++c) {
      const float u0 = static_cast<float>(c) / slices, u1 = static_cast<float>(c + 1) / slices;
      const float v0 = static_cast<float>(s) / stacks, v1 = static_cast<float>(s + 1) / stacks;
      if (s == 0)
        m.AddFace({at(s, c), at(s + 1, c), at(s + 1, c + 1)}, {{u0, v0}, {u0, v1}, {u1, v1}});
      else if (s == stacks - 1)
        m.AddFace({at(s, c), at(s + 1, c), at(s, c + 1)}, {{u0, v0}, {u0, v1}, {u1, v0}});
      else
        m.AddFace({at(s, c), at(s + 1, c), at(s + 1, c + 1), at(s, c + 1)}, {{u0, v0}, {u0, v1}, {u1, v1}, {u1, v0}});
    }
  return m;
}

MeshData Grid(int cols, int rows, float size, bool split) {
  MeshData m;
  const float x0 = -cols * size / 2, y0 = rows * size / 2;
  if (!split) {
    for (int r = 0; r <= rows; ++r)
      for (int c = 0; c <= cols; ++c) m.positions.push_back({x0 + c * size, y0 - r * size, 0});
  }
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      uint32_t a, b, d, e;
      if (split) {
        a = static_cast<uint32_t>(m.positions.size()), b = a + 1, d = a + 2, e = a + 3;
        const float x = x0 + c * size, y = y0 - r * size;
        m.positions.insert(m.positions.end(), {{x, y, 0}, {x + size, y, 0}, {x + size, y - size, 0}, {x, y - size, 0}});
      } else {
        a = static_cast<uint32_t>(r * (cols + 1) + c), b = a + 1;
        e = a + static_cast<uint32_t>(cols + 1), d = e + 1;
      }
      m.AddFace({a, b, d, e}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    }
  return m;
}

VoIPolygon* AddPolygon(VoMaster& master, VoIBranch* parent, const MeshData& mesh, VoIMaterial* material,
                       VoVertex::VoFixType fix) {
  VoIPolygon* p = master.NewItem<VoIPolygon>(parent);
  p->SetName("mesh");
  VoVertex* v = master.CreateVertex();
  v->Alloc(static_cast<int>(mesh.positions.size()));
  for (size_t i = 0; i < mesh.positions.size(); ++i) v->Set(static_cast<int>(i), mesh.positions[i]);
  v->FlushLock(fix);
  VoFace* f = master.CreateFace();
  f->resize(static_cast<int>(mesh.faces.size()));
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    f->array[i] = mesh.faces[i];
    f->array[i].material = material;
  }
  p->AttachVertex(v);
  p->AttachFace(f);
  return p;
}

VoIMaterial* AddMaterial(VoMaster& master, VoIBranch* parent, const MaterialSpec& s, VoITexture* texture) {
  VoIMaterial* m = master.NewItem<VoIMaterial>(parent);
  m->SetName("material");
  m->r = s.r, m->g = s.g, m->b = s.b, m->a = s.a;
  m->dif = s.dif, m->amb = s.amb, m->emi = s.emi, m->spc = s.spc, m->power = s.power;
  m->edge = s.edge;
  m->texture = texture;
  return m;
}

VoITexture* AddTexture(VoMaster& master, VoIBranch* parent, int width, int height, int bits,
                       const std::vector<uint8_t>& rows) {
  VoITexture* t = master.NewItem<VoITexture>(parent);
  t->SetName("texture");
  t->width = width, t->height = height, t->bits = bits;
  t->pixels = new unsigned char[rows.size()];
  std::memcpy(t->pixels, rows.data(), rows.size());
  return t;
}

VoITexture* AddTexture32(VoMaster& master, VoIBranch* parent, int width, int height,
                         const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> rows(argb.size() * 4);
  std::memcpy(rows.data(), argb.data(), rows.size());
  return AddTexture(master, parent, width, height, 32, rows);
}

IDirect3DTexture8* MakeDeviceTexture(IDirect3DDevice8* device, int width, int height,
                                     const std::vector<uint32_t>& argb) {
  IDirect3DTexture8* t = nullptr;
  if (!device || FAILED(device->CreateTexture(static_cast<unsigned>(width), static_cast<unsigned>(height), 1, 0,
                                              D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t)))
    return nullptr;
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(t->LockRect(0, &locked, nullptr, 0))) {
    for (int y = 0; y < height; ++y)
      std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, &argb[static_cast<size_t>(y) * width],
                  static_cast<size_t>(width) * 4);
    t->UnlockRect(0);
  }
  return t;
}

}  // namespace votest
