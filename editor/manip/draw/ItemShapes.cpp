#include "editor/manip/draw/ItemShapes.h"

#include <algorithm>

#include "editor/manip/draw/Primitives.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

using Frx::Draw::P3DLINEVERTEX;

constexpr uint32_t kLocked = 0x4CFF7F7F;
constexpr float kCell = 1.0f / 256.0f;

P3DLINEVERTEX Vertex(const Frx::Pvector& p, uint32_t colour) { return {p.x, p.y, p.z, colour}; }

Frx::Draw::BlendMode MarkBlend(const Canvas& canvas, const VoIItem* item) {
  return canvas.OtherSelected(item) ? Frx::Draw::BLEND_ALPHA_MODULATE : Frx::Draw::BLEND_ALPHA;
}

Frx::Draw::BlendMode ShapeBlend(const Canvas& canvas, const VoIItem* item) {
  return canvas.OtherSelected(item) ? Frx::Draw::BLEND_ALPHA : Frx::Draw::BLEND_NONE;
}

// A 16 × 16 mark sprite centred on the locate's window position.
void DrawMarkSprite(Canvas& canvas, VoILocate* locate, int cellX, int cellY, uint32_t colour) {
  Frx::Pvector p;
  if (!canvas.Screen().Project(locate->GetWPos(), &p)) return;
  const Frx::Prect uv{cellX * kCell, cellY * kCell, cellX * kCell + 1.0f / 16.0f, cellY * kCell + 1.0f / 16.0f};
  if (canvas.batch) {
    canvas.batch->AddSprite(canvas.draw, MarkBlend(canvas, locate), canvas.handles, p.x - 8.0f, p.y - 8.0f, 16.0f,
                            16.0f, uv, colour);
    return;
  }
  canvas.draw.SetRenderStateBlend(MarkBlend(canvas, locate));
  DrawTexturedQuad(canvas, p.x - 8.0f, p.y - 8.0f, 0.0f, 16.0f, 16.0f, uv.left, uv.top, 1.0f / 16.0f, 1.0f / 16.0f,
                   colour, canvas.handles);
}

void SetShapeBlend(Canvas& canvas, const VoIItem* item) { canvas.draw.SetRenderStateBlend(ShapeBlend(canvas, item)); }

// The nine edges of a bone's shape from its five corners; the corner on the
// bone's up side carries its own colour.
void ShapeEdges(const Frx::Pvector& start, const Frx::Pvector& c1, const Frx::Pvector& c2, const Frx::Pvector& up,
                const Frx::Pvector& tip, uint32_t colour, P3DLINEVERTEX (&out)[18]) {
  const uint32_t upColour = 0x4C7FFF7F;
  const P3DLINEVERTEX edges[18] = {
      Vertex(start, colour), Vertex(c1, colour),   Vertex(start, colour), Vertex(c2, colour),
      Vertex(start, colour), Vertex(up, upColour), Vertex(c1, colour),    Vertex(c2, colour),
      Vertex(c2, colour),    Vertex(up, upColour), Vertex(up, upColour),  Vertex(c1, colour),
      Vertex(c1, colour),    Vertex(tip, colour),  Vertex(c2, colour),    Vertex(tip, colour),
      Vertex(up, upColour),  Vertex(tip, 0x4CFFFFB2)};
  std::copy(edges, edges + 18, out);
}

void DrawBoneLines(Canvas& canvas, VoIBone* bone, uint32_t colour) {
  const float l = bone->GetLength();
  const float w = 0.15f * l;
  const Frx::Pvector start(0.0f, 0.0f, 0.0f), tip(0.0f, 0.0f, l);
  const Frx::Pvector c1(0.5f * w, -w / 3.0f, w), c2(-0.5f * w, -w / 3.0f, w), up(0.0f, 2.0f * w / 3.0f, w);
  P3DLINEVERTEX lines[18];
  if (canvas.batch) {
    // In the world already, so that every bone joins one line list; each
    // corner is moved once.
    const Frx::Pmatrix& m = bone->GetMatrixL2W();
    ShapeEdges(m * start, m * c1, m * c2, m * up, m * tip, colour, lines);
    canvas.batch->AddWorldLines(canvas.draw, ShapeBlend(canvas, bone), lines, 18);
    return;
  }
  ShapeEdges(start, c1, c2, up, tip, colour, lines);
  IDirect3DDevice8* device = canvas.draw.device;
  TransformGuard world(device, D3DTS_WORLD);
  TransformGuard projection(device, D3DTS_PROJECTION);
  device->SetTransform(D3DTS_WORLD, &bone->GetMatrixL2W());
  FlattenProjection(device, projection.Saved());
  SetShapeBlend(canvas, bone);
  canvas.draw.DrawLine3D_List(lines, 9);
}

}  // namespace

TransformGuard::TransformGuard(IDirect3DDevice8* device, D3DTRANSFORMSTATETYPE state)
    : device_(device), state_(state) {
  if (device_) device_->GetTransform(state_, &saved_);
}

TransformGuard::~TransformGuard() {
  if (device_) device_->SetTransform(state_, &saved_);
}

void FlattenProjection(IDirect3DDevice8* device, const Frx::Pmatrix& projection) {
  Frx::Pmatrix flat;
  flat.SetScale(Frx::Pvector(1.0f, 1.0f, 0.0f));
  const Frx::Pmatrix m = projection * flat;
  device->SetTransform(D3DTS_PROJECTION, &m);
}

void DrawLocateMark(Canvas& canvas, VoILocate* locate) {
  if (!locate || !canvas.draw.device) return;
  const bool chain = locate->IKchain != 0;
  uint32_t colour = chain ? 0x4CB2FFB2 : 0x7FFFCC66;
  if (locate->IsLock()) colour = kLocked;
  DrawMarkSprite(canvas, locate, chain ? 0 : 16, 144, colour);
}

void DrawWLocateMark(Canvas& canvas, VoIWLocate* locate) {
  if (!locate || !canvas.draw.device) return;
  const bool chain = locate->IKchain != 0;
  uint32_t colour = chain ? 0x4CB2FFFF : 0x7FFFCC66;
  if (locate->GetKType() == VoILocate::KTYPE_MOVABLE) colour = 0x4CFFB2FF;
  if (locate->IsLock()) colour = kLocked;
  DrawMarkSprite(canvas, locate, chain ? 0 : 16, 144, colour);
  if (locate->IsFix()) DrawMarkSprite(canvas, locate, 0, 160, colour);
}

void DrawCoordinateAxes(Canvas& canvas, VoICoordinate* coordinate) {
  IDirect3DDevice8* device = canvas.draw.device;
  if (!coordinate || !device) return;
  const Frx::Pmatrix& m = coordinate->GetMatrixL2W();
  const Frx::Pvector at = m.GetTransVector();
  float scale = 0.0f;
  if (!ScreenScale(canvas.Camera(), at, &scale)) return;
  const float a = canvas.manipulatorSize * 0.2f / scale;
  canvas.Flush();
  canvas.draw.SetRenderStateBlend(canvas.OtherSelected(coordinate) ? Frx::Draw::BLEND_ALPHA
                                                                   : Frx::Draw::BLEND_NONE);
  TransformGuard world(device, D3DTS_WORLD);
  device->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
  P3DLINEVERTEX lines[6];
  for (int axis = 0; axis < 3; ++axis) {
    const Frx::Pvector d = Frx::Pvector(m.m[axis][0], m.m[axis][1], m.m[axis][2]) * a;
    const uint32_t colour = canvas.colours[Canvas::ColourX + axis];
    lines[2 * axis] = Vertex(at - d, colour);
    lines[2 * axis + 1] = Vertex(at + d, colour);
  }
  canvas.draw.DrawLine3D_List(lines, 3);
}

void DrawBoneShape(Canvas& canvas, VoIBone* bone) {
  if (!bone || !canvas.draw.device) return;
  DrawBoneLines(canvas, bone, bone->IsLock() ? kLocked : 0x4CFFFFB2);
}

void DrawSiblingBoneShape(Canvas& canvas, VoIBone* bone) {
  if (!bone || !canvas.draw.device) return;
  uint32_t colour = bone->GetKType() == VoIBone::KTYPE_CONNECTED ? 0x4CFFB2FF : 0x4CB2FFFF;
  if (bone->IsLock()) colour = kLocked;
  DrawBoneLines(canvas, bone, colour);
}

void DrawCameraShape(Canvas& canvas, VoICamera* camera) {
  IDirect3DDevice8* device = canvas.draw.device;
  if (!camera || !device) return;
  canvas.Flush();
  VoICoordinate* c = camera->GetSafetyCoordinate();
  const Frx::Pmatrix world = c ? c->GetMatrixL2W() : Frx::Pmatrix::id;
  TransformGuard keepWorld(device, D3DTS_WORLD);
  device->SetTransform(D3DTS_WORLD, &world);
  TransformGuard projection(device, D3DTS_PROJECTION);
  FlattenProjection(device, projection.Saved());
  const uint32_t colour = camera->IsLock() ? kLocked : 0x4CFFFFB2;
  SetShapeBlend(canvas, camera);
  const float s = 20.0f * 3.14159265358979f / 180.0f * 100.0f;
  const Frx::Pvector o(0.0f, 0.0f, 0.0f);
  const Frx::Pvector corners[4] = {{s, s, -100.0f}, {-s, s, -100.0f}, {-s, -s, -100.0f}, {s, -s, -100.0f}};
  P3DLINEVERTEX lines[16];
  for (int i = 0; i < 4; ++i) {
    lines[2 * i] = Vertex(o, colour);
    lines[2 * i + 1] = Vertex(corners[i], colour);
    lines[8 + 2 * i] = Vertex(corners[i], colour);
    lines[8 + 2 * i + 1] = Vertex(corners[(i + 1) % 4], colour);
  }
  canvas.draw.DrawLine3D_List(lines, 8);
}
