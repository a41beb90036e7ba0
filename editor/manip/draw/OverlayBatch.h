// OverlayBatch: many small overlay primitives in few device calls. Sprites
// that share a texture and blend mode go out as one triangle list; wire
// shapes (already in world space) that share a blend mode as one line list,
// drawn over the scene at depth 0. Every device call costs far more than
// its few vertices, and a skeleton has a mark and a shape per item.
// Lines are drawn before sprites on a flush, so marks stay on top of bones.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/manip/draw/FlatState.h"
#include "ferrox/draw/DrawTypes.h"
#include "ferrox/draw/PDraw.h"

class OverlayBatch {
 public:
  OverlayBatch() = default;
  // With `blendOpaque`, untextured draws that replace the picture blend by
  // source alpha with an alpha of 1 (FlatState::Opaque::Blend), as the
  // translucent marks among them do.
  explicit OverlayBatch(bool blendOpaque) : blendOpaque_(blendOpaque) {}

  // A window-pixel quad from (x, y) of the given size with the UV rectangle
  // `uv`; `texture` null draws it plain.
  void AddSprite(Frx::Draw::PDraw& draw, Frx::Draw::BlendMode blend, IDirect3DTexture8* texture, float x, float y,
                 float width, float height, const Frx::Prect& uv, uint32_t colour);
  // Lines (vertex pairs) already in world space.
  void AddWorldLines(Frx::Draw::PDraw& draw, Frx::Draw::BlendMode blend, const Frx::Draw::P3DLINEVERTEX* v,
                     size_t vertices);
  // A window-pixel line.
  void AddScreenLine(Frx::Draw::PDraw& draw, float x0, float y0, float x1, float y1, uint32_t colour);
  // Draws what is pending (lines first) and empties the batch.
  void Flush(Frx::Draw::PDraw& draw);
  bool Empty() const { return sprites_.empty() && worldLines_.empty() && screenLines_.empty(); }

 private:
  struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
  };
  struct ScreenLineVertex {
    float x, y, z, rhw;
    uint32_t colour;
  };
  FlatState::Opaque Opaqueness() const;

  std::vector<ScreenVertex> sprites_;
  Frx::Draw::BlendMode spriteBlend_ = Frx::Draw::BLEND_ALPHA;
  IDirect3DTexture8* spriteTexture_ = nullptr;
  std::vector<Frx::Draw::P3DLINEVERTEX> worldLines_;
  Frx::Draw::BlendMode lineBlend_ = Frx::Draw::BLEND_NONE;
  std::vector<ScreenLineVertex> screenLines_;
  bool blendOpaque_ = false;
};
