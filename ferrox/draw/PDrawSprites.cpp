// Sprites, filled boxes and lines of the drawing surface.
#include <cmath>

#include "ferrox/draw/PDraw.h"
#include "ferrox/math/Ptrig.h"

namespace Frx::Draw {
namespace {

struct ScreenVertex {
  float x, y, z, rhw;
  uint32_t colour;
  float u, v;
};
struct ScreenColourVertex {
  float x, y, z, rhw;
  uint32_t colour;
};
struct WorldVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
constexpr DWORD ScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD ScreenColourFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
constexpr DWORD WorldFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD LineFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// A point through m with the divide by w (w = 0 leaves the point undivided).
Pvector Project(const Pmatrix& m, const Pvector& p) {
  float x = p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41;
  float y = p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42;
  float z = p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43;
  float w = p.x * m._14 + p.y * m._24 + p.z * m._34 + m._44;
  if (w != 0.0f) x /= w, y /= w, z /= w;
  return Pvector(x, y, z);
}

}  // namespace

void PDraw::SetStageTexture(IDirect3DTexture8* texture) {
  if (texture) device->SetTexture(0, texture);
}

void PDraw::DrawSprite(Pvector p, Pvector s, unsigned long colour, Prect r, IDirect3DTexture8* texture) {
  if (!device) return;
  SetStageTexture(texture);
  const float z = p.z - s.z;
  const uint32_t c = static_cast<uint32_t>(colour);
  ScreenVertex v[4] = {{p.x + s.x, p.y + s.y, z, 1.0f, c, r.right, r.bottom},
                       {p.x, p.y + s.y, z, 1.0f, c, r.left, r.bottom},
                       {p.x + s.x, p.y, z, 1.0f, c, r.right, r.top},
                       {p.x, p.y, z, 1.0f, c, r.left, r.top}};
  device->SetVertexShader(ScreenFvf);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex));
}

void PDraw::DrawSprite(Pvector p, float w, float h, unsigned long colour, Prect r, IDirect3DTexture8* texture) {
  DrawSprite(p, Pvector(w, h, 0.0f), colour, r, texture);
}

void PDraw::DrawSprite(const Pvector* q, unsigned long colour, Prect r, IDirect3DTexture8* texture) {
  if (!device || !q) return;
  SetStageTexture(texture);
  const uint32_t c = static_cast<uint32_t>(colour);
  ScreenVertex v[4] = {{q[0].x, q[0].y, q[0].z, 1.0f, c, r.left, r.top},
                       {q[1].x, q[1].y, q[1].z, 1.0f, c, r.right, r.top},
                       {q[2].x, q[2].y, q[2].z, 1.0f, c, r.left, r.bottom},
                       {q[3].x, q[3].y, q[3].z, 1.0f, c, r.right, r.bottom}};
  device->SetVertexShader(ScreenFvf);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenVertex));
}

void PDraw::DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, Prect r, IDirect3DTexture8* texture) {
  Pmatrix m = GetMatrixWorld2Screen(Pmatrix::id);
  Pvector a = Project(m, pos), b = Project(m, pos + size);
  float w = std::abs(b.x - a.x), h = std::abs(b.y - a.y);
  DrawSprite(Pvector(a.x - w / 2, a.y - h / 2, a.z - size.z), Pvector(w, h, 0.0f), colour, r, texture);
}

void PDraw::DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, Prect r, float angle,
                         IDirect3DTexture8* texture) {
  // No turn can be placed for NaN or an infinity; the whole part of a huge
  // angle is taken without converting it to an integer.
  if (!std::isfinite(angle)) return;
  Pmatrix m = GetMatrixWorld2Screen(Pmatrix::id);
  Pvector a = Project(m, pos), b = Project(m, pos + size);
  float w = std::abs(b.x - a.x), h = std::abs(b.y - a.y);
  float theta = kTwoPi * (angle - std::trunc(angle));
  float cs = Pcos(theta), sn = Psin(theta);
  const float corners[4][2] = {{-w, -h}, {w, -h}, {-w, h}, {w, h}};
  Pvector q[4];
  for (int i = 0; i < 4; ++i) {
    float x = corners[i][0], y = corners[i][1];
    q[i] = Pvector(a.x + cs * x - sn * y, a.y + sn * x + cs * y, a.z - size.z);
  }
  DrawSprite(q, colour, r, texture);
}

void PDraw::DrawSprite3D(Pvector pos, Pvector size, unsigned long colour, const Pmatrix& m, Prect r,
                         IDirect3DTexture8* texture) {
  if (!device) return;
  const Pvector corners[4] = {Pvector(size.x, size.y, 0), Pvector(size.x, -size.y, 0),
                              Pvector(-size.x, size.y, 0), Pvector(-size.x, -size.y, 0)};
  Pvector q[4];
  for (int i = 0; i < 4; ++i) q[i] = m * corners[i] + pos;
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  DrawSprite3D(q, colour, r, texture);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  device->SetRenderState(D3DRS_LIGHTING, TRUE);
}

void PDraw::DrawSprite3D(const Pvector* q, unsigned long colour, Prect r, IDirect3DTexture8* texture) {
  if (!device || !q) return;
  SetStageTexture(texture);
  const uint32_t c = static_cast<uint32_t>(colour);
  WorldVertex v[4] = {{q[0].x, q[0].y, q[0].z, c, r.left, r.top},
                      {q[1].x, q[1].y, q[1].z, c, r.right, r.top},
                      {q[2].x, q[2].y, q[2].z, c, r.left, r.bottom},
                      {q[3].x, q[3].y, q[3].z, c, r.right, r.bottom}};
  device->SetVertexShader(WorldFvf);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(WorldVertex));
}

void PDraw::DrawFillBox(Pvector p, Pvector s, unsigned long colour) {
  if (!device) return;
  device->SetTexture(0, nullptr);
  const float z = p.z - s.z;
  const uint32_t c = static_cast<uint32_t>(colour);
  ScreenColourVertex v[4] = {{p.x, p.y, z, 1.0f, c},
                             {p.x + s.x, p.y, z, 1.0f, c},
                             {p.x, p.y + s.y, z, 1.0f, c},
                             {p.x + s.x, p.y + s.y, z, 1.0f, c}};
  device->SetVertexShader(ScreenColourFvf);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ScreenColourVertex));
}

void PDraw::DrawLine(Pvector a, Pvector b, unsigned long colourA, unsigned long colourB) {
  if (!device) return;
  device->SetTexture(0, nullptr);
  ScreenColourVertex v[2] = {{a.x, a.y, a.z, 1.0f, static_cast<uint32_t>(colourA)},
                             {b.x, b.y, b.z, 1.0f, static_cast<uint32_t>(colourB)}};
  device->SetVertexShader(ScreenColourFvf);
  device->DrawPrimitiveUP(D3DPT_LINELIST, 1, v, sizeof(ScreenColourVertex));
}

void PDraw::DrawLine3D_List(const P3DLINEVERTEX* v, unsigned long n) {
  if (!device || !v || n == 0) return;
  device->SetTexture(0, nullptr);
  device->SetVertexShader(LineFvf);
  device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<unsigned>(n), v, sizeof(P3DLINEVERTEX));
}

void PDraw::DrawLine3D_Strip(const P3DLINEVERTEX* v, unsigned long n) {
  if (!device || !v || n == 0) return;
  device->SetTexture(0, nullptr);
  device->SetVertexShader(LineFvf);
  device->DrawPrimitiveUP(D3DPT_LINESTRIP, static_cast<unsigned>(n), v, sizeof(P3DLINEVERTEX));
}

}  // namespace Frx::Draw
