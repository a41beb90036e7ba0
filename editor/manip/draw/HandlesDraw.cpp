#include "editor/manip/draw/HandlesDraw.h"

#include <cmath>

#include "editor/manip/GuiManipulator.h"
#include "editor/manip/draw/FlatState.h"
#include "editor/manip/draw/OverlayBatch.h"

namespace {

using Frx::Draw::P3DLINEVERTEX;

constexpr float kPi = 3.14159265358979f;
constexpr int kRingSegments = 32;

bool Solid(const GuiManipulator& m, int bit, int handle) {
  return (m.enabled & bit) && (m.active == Handle::None || m.active == handle);
}

P3DLINEVERTEX InWorld(const Frx::Pmatrix& model, const Frx::Pvector& p, uint32_t colour) {
  const Frx::Pvector w = model * p;
  return {w.x, w.y, w.z, colour};
}

void AddAxis(OverlayBatch& lines, Canvas& canvas, const GuiManipulator& m, const Frx::Pmatrix& model, int axis,
             float h) {
  const int handle = Handle::AxisX + axis;
  Frx::Pvector d(0.0f, 0.0f, 0.0f);
  d[axis] = h;
  const uint32_t colour = canvas.HandleColour(handle);
  const P3DLINEVERTEX line[2] = {InWorld(model, -d, colour), InWorld(model, d, colour)};
  lines.AddWorldLines(canvas.draw, Solid(m, Handle::Translate, handle) ? Frx::Draw::BLEND_NONE : Frx::Draw::BLEND_ALPHA,
                      line, 2);
}

// The ring about `axis`, in the plane of the other two axes: 32 segments.
void AddRing(OverlayBatch& lines, Canvas& canvas, const GuiManipulator& m, const Frx::Pmatrix& model, int axis,
             float h) {
  const int handle = Handle::RingX + axis;
  const uint32_t colour = canvas.HandleColour(handle);
  const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
  // The unit circle's points, the same every frame.
  struct Circle {
    float c[kRingSegments + 1], s[kRingSegments + 1];
    Circle() {
      for (int k = 0; k <= kRingSegments; ++k) {
        const float angle = static_cast<float>(k) * kPi / 16.0f;
        c[k] = std::cos(angle), s[k] = std::sin(angle);
      }
    }
  };
  static const Circle circle;
  P3DLINEVERTEX points[kRingSegments + 1];
  for (int k = 0; k <= kRingSegments; ++k) {
    Frx::Pvector p(0.0f, 0.0f, 0.0f);
    p[u] = h * circle.c[k];
    p[v] = h * circle.s[k];
    points[k] = InWorld(model, p, colour);
  }
  P3DLINEVERTEX segments[2 * kRingSegments];
  for (int k = 0; k < kRingSegments; ++k) segments[2 * k] = points[k], segments[2 * k + 1] = points[k + 1];
  lines.AddWorldLines(canvas.draw, Solid(m, Handle::Rotate, handle) ? Frx::Draw::BLEND_NONE : Frx::Draw::BLEND_ALPHA,
                      segments, 2 * kRingSegments);
}

}  // namespace

void DrawHandles(Canvas& canvas, GuiManipulator& m, const Frx::Pmatrix* orientation,
                 const Frx::Pvector& position) {
  IDirect3DDevice8* device = canvas.draw.device;
  if (!device) return;
  canvas.Flush();
  Frx::Pmatrix turn;
  if (orientation) {
    turn = *orientation;
  } else {
    device->GetTransform(D3DTS_WORLD, &turn);
  }
  turn.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  const HandleLayout layout = LayoutHandles(canvas.Camera(), turn, position, canvas.manipulatorSize, m.enabled);
  m.StoreLayout(layout);
  if (!layout.visible) return;
  // Axes and rings as world-space line lists (over the scene, at depth 0),
  // then the handle sprites: a few device calls in all.
  OverlayBatch batch(true);
  for (int axis = 0; axis < 3; ++axis) AddAxis(batch, canvas, m, layout.model, axis, layout.h);
  for (int axis = 0; axis < 3; ++axis) AddRing(batch, canvas, m, layout.model, axis, layout.h);
  batch.Flush(canvas.draw);
  for (int handle = Handle::AxisX; handle <= Handle::RingZ; ++handle) {
    const int bit = handle <= Handle::AxisZ ? Handle::Translate : Handle::Rotate;
    const Frx::Pvector& p = layout.screen[handle];
    if (!(m.enabled & bit) || p.x == Handle::OffScreen.x) continue;
    const float u = 8.0f * static_cast<float>(handle - Handle::AxisX) / 256.0f, v = 128.0f / 256.0f;
    batch.AddSprite(canvas.draw, Frx::Draw::BLEND_ALPHA, canvas.handles, p.x - 4.0f, p.y - 4.0f, 8.0f, 8.0f,
                    Frx::Prect{u, v, u + 1.0f / 32.0f, v + 1.0f / 32.0f}, canvas.HandleColour(handle));
  }
  if (m.active >= Handle::AxisX && m.active < Handle::Slots) {
    const Frx::Pvector& p = m.screen[m.active];
    const float u = 80.0f / 256.0f, v = 128.0f / 256.0f;
    batch.AddSprite(canvas.draw, Frx::Draw::BLEND_ALPHA, canvas.handles, p.x - 8.0f, p.y - 8.0f, 16.0f, 16.0f,
                    Frx::Prect{u, v, u + 1.0f / 16.0f, v + 1.0f / 16.0f}, 0x00FFFFFF);
  }
  batch.Flush(canvas.draw);
}

void DrawReadOut(Canvas& canvas, const ReadOut& r) {
  Frx::Draw::PDraw& draw = canvas.draw;
  if (!draw.device) return;
  canvas.Flush();
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  {
    FlatState flat = FlatState::Untextured(draw.device, FlatState::Opaque::Blend);
    draw.DrawFillBox(Frx::Pvector(r.x, r.y, 0.0f), Frx::Pvector(r.width, r.height, 0.0f), flat.Colour(0x4C000000));
  }
  draw.Print(r.text.c_str(), static_cast<int>(r.x) + 4, static_cast<int>(r.y) + 4, 0,
             static_cast<int>(draw.textColor));
}
