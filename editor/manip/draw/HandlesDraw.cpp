#include "editor/manip/draw/HandlesDraw.h"

#include <cmath>

#include "editor/manip/GuiManipulator.h"
#include "editor/manip/draw/ItemShapes.h"
#include "editor/manip/draw/Primitives.h"

namespace {

using Frx::Draw::P3DLINEVERTEX;

constexpr float kPi = 3.14159265358979f;
constexpr int kRingSegments = 32;

bool Solid(const GuiManipulator& m, int bit, int handle) {
  return (m.enabled & bit) && (m.active == Handle::None || m.active == handle);
}

void DrawAxis(Canvas& canvas, const GuiManipulator& m, int axis, float h) {
  const int handle = Handle::AxisX + axis;
  Frx::Pvector d(0.0f, 0.0f, 0.0f);
  d[axis] = h;
  const uint32_t colour = canvas.HandleColour(handle);
  const P3DLINEVERTEX line[2] = {{-d.x, -d.y, -d.z, colour}, {d.x, d.y, d.z, colour}};
  canvas.draw.SetRenderStateBlend(Solid(m, Handle::Translate, handle) ? Frx::Draw::BLEND_NONE
                                                                      : Frx::Draw::BLEND_ALPHA);
  canvas.draw.DrawLine3D_List(line, 1);
}

// The ring about `axis`: in the plane of the other two axes.
void DrawRing(Canvas& canvas, const GuiManipulator& m, int axis, float h) {
  const int handle = Handle::RingX + axis;
  const uint32_t colour = canvas.HandleColour(handle);
  const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
  P3DLINEVERTEX strip[kRingSegments + 1];
  for (int k = 0; k <= kRingSegments; ++k) {
    const float angle = static_cast<float>(k) * kPi / 16.0f;
    Frx::Pvector p(0.0f, 0.0f, 0.0f);
    p[u] = h * std::cos(angle);
    p[v] = h * std::sin(angle);
    strip[k] = {p.x, p.y, p.z, colour};
  }
  canvas.draw.SetRenderStateBlend(Solid(m, Handle::Rotate, handle) ? Frx::Draw::BLEND_NONE
                                                                    : Frx::Draw::BLEND_ALPHA);
  canvas.draw.DrawLine3D_Strip(strip, kRingSegments);
}

}  // namespace

void DrawHandles(Canvas& canvas, GuiManipulator& m, const Frx::Pmatrix* orientation,
                 const Frx::Pvector& position) {
  IDirect3DDevice8* device = canvas.draw.device;
  if (!device) return;
  TransformGuard world(device, D3DTS_WORLD);
  TransformGuard projection(device, D3DTS_PROJECTION);
  Frx::Pmatrix turn = orientation ? *orientation : world.Saved();
  turn.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  const HandleLayout layout = LayoutHandles(canvas.Camera(), turn, position, canvas.manipulatorSize, m.enabled);
  m.StoreLayout(layout);
  if (!layout.visible) return;
  FlattenProjection(device, projection.Saved());
  device->SetTransform(D3DTS_WORLD, &layout.model);
  for (int axis = 0; axis < 3; ++axis) DrawAxis(canvas, m, axis, layout.h);
  for (int axis = 0; axis < 3; ++axis) DrawRing(canvas, m, axis, layout.h);
  canvas.draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) {
    const int bit = handle <= Handle::AxisZ ? Handle::Translate : Handle::Rotate;
    const Frx::Pvector& p = layout.screen[handle];
    if (!(m.enabled & bit) || p.x == Handle::OffScreen.x) continue;
    const int k = handle - Handle::AxisX;
    DrawTexturedQuad(canvas, p.x - 4.0f, p.y - 4.0f, 0.0f, 8.0f, 8.0f, 8.0f * k / 256.0f, 128.0f / 256.0f,
                     1.0f / 32.0f, 1.0f / 32.0f, canvas.HandleColour(handle), canvas.handles);
  }
  if (m.active >= Handle::AxisX && m.active < Handle::Slots) {
    const Frx::Pvector& p = m.screen[m.active];
    DrawTexturedQuad(canvas, p.x - 8.0f, p.y - 8.0f, 0.0f, 16.0f, 16.0f, 80.0f / 256.0f, 128.0f / 256.0f,
                     1.0f / 16.0f, 1.0f / 16.0f, 0x00FFFFFF, canvas.handles);
  }
}

void DrawReadOut(Canvas& canvas, const ReadOut& r) {
  Frx::Draw::PDraw& draw = canvas.draw;
  if (!draw.device) return;
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  draw.DrawFillBox(Frx::Pvector(r.x, r.y, 0.0f), Frx::Pvector(r.width, r.height, 0.0f), 0x4C000000);
  draw.Print(r.text.c_str(), static_cast<int>(r.x) + 4, static_cast<int>(r.y) + 4, 0,
             static_cast<int>(draw.textColor));
}
