#include "editor/manip/draw/Primitives.h"

#include <optional>
#include <vector>

#include "editor/manip/draw/Colours.h"
#include "editor/manip/draw/FlatState.h"

namespace {

constexpr float kCell = 1.0f / 256.0f;  // one texture pixel of the 256 × 256 handle texture

void Fill(Frx::Draw::PDraw& draw, float x, float y, float width, float height, uint32_t colour) {
  if (width <= 0.0f || height <= 0.0f) return;
  FlatState flat = FlatState::Untextured(draw.device);
  draw.DrawFillBox(Frx::Pvector(x, y, 0.0f), Frx::Pvector(width, height, 0.0f), colour);
}

void Line(Frx::Draw::PDraw& draw, float x0, float y0, float x1, float y1, uint32_t colour) {
  FlatState flat = FlatState::Untextured(draw.device);
  draw.DrawLine(Frx::Pvector(x0, y0, 0.0f), Frx::Pvector(x1, y1, 0.0f), colour);
}

}  // namespace

int DrawTexturedQuad(Canvas& canvas, float x, float y, float z, float width, float height, float u, float v,
                     float du, float dv, uint32_t colour, IDirect3DTexture8* texture) {
  Frx::Draw::PDraw& draw = canvas.draw;
  if (!draw.device) return 0;
  canvas.Flush();
  draw.device->SetTexture(0, texture);
  // At depth 0 the overlay's state serves; elsewhere the depth test counts.
  std::optional<FlatState> flat;
  if (z == 0.0f) flat.emplace(draw.device);
  draw.DrawSprite(Frx::Pvector(x, y, z), width, height, colour, Frx::Prect{u, v, u + du, v + dv}, texture);
  return 0;
}

void DrawIconSprite(Canvas& canvas, float x, float y, int cellX, int cellY, float r, float g, float b) {
  DrawTexturedQuad(canvas, x - 8.0f, y - 8.0f, 0.0f, 16.0f, 16.0f, cellX * kCell, cellY * kCell, 1.0f / 16.0f,
                   1.0f / 16.0f, ColourFromFractions(r, g, b), canvas.handles);
}

void DrawMarkBox(Canvas& canvas, float x, float y, float height, float r, float g, float b) {
  if (!canvas.draw.device) return;
  canvas.Flush();
  Fill(canvas.draw, x - 1.0f, y, 3.0f, height, ShadeFromFractions(r, g, b, 0.5f));
}

void DrawBarBox(Canvas& canvas, float x, float y, float width, float r, float g, float b, long endFrame,
                int scroll, int pixelsPerFrame, bool halfHeight, bool sideBoxes) {
  Frx::Draw::PDraw& draw = canvas.draw;
  if (!draw.device) return;
  canvas.Flush();
  const float h = halfHeight ? 16.0f : 32.0f;
  const float bx = x - static_cast<float>(scroll);
  const float span = static_cast<float>(endFrame) * static_cast<float>(pixelsPerFrame);
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  Fill(draw, bx, y, span, h, ColourFromFractions(r, g, b));
  if (sideBoxes) {
    // Frames outside the motion are darker.
    const uint32_t outside = ShadeFromFractions(r, g, b, 0.8695652173913044f);
    Fill(draw, 0.0f, y, bx, h, outside);
    Fill(draw, bx + span, y, width - bx - span, h, outside);
  }
  Line(draw, x, y + h - 1.0f, x + width, y + h - 1.0f, ShadeFromFractions(r, g, b, 0.5f));
  if (!halfHeight) {
    Line(draw, x, y + 16.0f, x + width, y + 16.0f, ShadeFromFractions(r, g, b, 2.0f / 3.0f));
    Line(draw, x, y + 17.0f, x + width, y + 17.0f, ShadeFromFractions(r, g, b, 0.5f));
  }
}

void DrawRuler(Canvas& canvas, float x, float y, float width, float r, float g, float b, int scroll,
               int pixelsPerFrame) {
  Frx::Draw::PDraw& draw = canvas.draw;
  if (!draw.device) return;
  canvas.Flush();
  draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  Fill(draw, x, y, width, 16.0f, ColourFromFractions(r, g, b));
  Line(draw, x, y + 16.0f, x + width, y + 16.0f, ShadeFromFractions(r, g, b, 0.5f));
  const int s = pixelsPerFrame;
  if (s <= 0) return;
  const uint32_t label = ShadeFromFractions(r, g, b, 0.33333334f);
  const uint32_t tick = ShadeFromFractions(r, g, b, 0.7692307692307692f);
  // Ticks go out as one line list, the labels after them.
  OverlayBatch ticks;
  struct Label {
    int column, frame;
  };
  std::vector<Label> labels;
  for (int i = 0; static_cast<float>(i) < width; ++i) {
    const long value = static_cast<long>(scroll) + i;
    float height = 0.0f;
    if (value % (60L * s) == 0) {
      labels.push_back({i, static_cast<int>(value / s)});
      height = 12.0f;
    } else if (value % (30L * s) == 0) {
      height = 8.0f;
    } else if (value % (10L * s) == 0) {
      height = 4.0f;
    }
    if (height > 0.0f) {
      const float column = x + static_cast<float>(i);
      ticks.AddScreenLine(draw, column, y + 16.0f, column, y + 16.0f - height, tick);
    }
  }
  ticks.Flush(draw);
  for (const Label& l : labels) draw.Printf2(static_cast<int>(x) + l.column + 2, static_cast<int>(y), 0, label, "%d", l.frame);
}
