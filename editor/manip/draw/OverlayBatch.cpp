#include "editor/manip/draw/OverlayBatch.h"

#include "editor/manip/draw/FlatState.h"
#include "editor/manip/draw/ItemShapes.h"

namespace {
constexpr DWORD kSpriteFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD kScreenLineFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
// Room made at the first primitive: a key bar's marks or a skeleton's bones
// fit without the list growing step by step.
constexpr size_t kFirstVertices = 512;
}  // namespace

void OverlayBatch::AddSprite(Frx::Draw::PDraw& draw, Frx::Draw::BlendMode blend, IDirect3DTexture8* texture,
                             float x, float y, float width, float height, const Frx::Prect& uv, uint32_t colour) {
  if (!sprites_.empty() && (blend != spriteBlend_ || texture != spriteTexture_)) Flush(draw);
  spriteBlend_ = blend;
  spriteTexture_ = texture;
  if (sprites_.capacity() == 0) sprites_.reserve(kFirstVertices);
  // The two triangles of the surface's sprite strip, in its vertex order.
  const ScreenVertex a{x + width, y + height, 0.0f, 1.0f, colour, uv.right, uv.bottom};
  const ScreenVertex b{x, y + height, 0.0f, 1.0f, colour, uv.left, uv.bottom};
  const ScreenVertex c{x + width, y, 0.0f, 1.0f, colour, uv.right, uv.top};
  const ScreenVertex d{x, y, 0.0f, 1.0f, colour, uv.left, uv.top};
  sprites_.insert(sprites_.end(), {a, b, c, c, b, d});
}

void OverlayBatch::AddWorldLines(Frx::Draw::PDraw& draw, Frx::Draw::BlendMode blend,
                                 const Frx::Draw::P3DLINEVERTEX* v, size_t vertices) {
  if (!worldLines_.empty() && blend != lineBlend_) Flush(draw);
  lineBlend_ = blend;
  if (worldLines_.capacity() == 0) worldLines_.reserve(kFirstVertices);
  worldLines_.insert(worldLines_.end(), v, v + vertices);
}

void OverlayBatch::AddScreenLine(Frx::Draw::PDraw&, float x0, float y0, float x1, float y1, uint32_t colour) {
  screenLines_.push_back({x0, y0, 0.0f, 1.0f, colour});
  screenLines_.push_back({x1, y1, 0.0f, 1.0f, colour});
}

FlatState::Opaque OverlayBatch::Opaqueness() const {
  return blendOpaque_ ? FlatState::Opaque::Blend : FlatState::Opaque::Replace;
}

void OverlayBatch::Flush(Frx::Draw::PDraw& draw) {
  IDirect3DDevice8* device = draw.device;
  if (!device) {
    sprites_.clear(), worldLines_.clear(), screenLines_.clear();
    return;
  }
  if (!screenLines_.empty()) {
    FlatState flat = FlatState::Untextured(device);
    device->SetVertexShader(kScreenLineFvf);
    device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<unsigned>(screenLines_.size() / 2), screenLines_.data(),
                            sizeof(ScreenLineVertex));
    screenLines_.clear();
  }
  if (!worldLines_.empty()) {
    TransformGuard world(device, D3DTS_WORLD);
    TransformGuard projection(device, D3DTS_PROJECTION);
    device->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
    FlattenProjection(device, projection.Saved());
    draw.SetRenderStateBlend(lineBlend_);
    FlatState flat = FlatState::Untextured(device, Opaqueness());
    for (Frx::Draw::P3DLINEVERTEX& v : worldLines_) v.color = flat.Colour(v.color);
    draw.DrawLine3D_List(worldLines_.data(), static_cast<unsigned long>(worldLines_.size() / 2));
    worldLines_.clear();
  }
  if (!sprites_.empty()) {
    draw.SetRenderStateBlend(spriteBlend_);
    device->SetTexture(0, spriteTexture_);
    device->SetVertexShader(kSpriteFvf);
    FlatState flat(device, Opaqueness());
    for (ScreenVertex& v : sprites_) v.colour = flat.Colour(v.colour);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<unsigned>(sprites_.size() / 3), sprites_.data(),
                            sizeof(ScreenVertex));
    sprites_.clear();
  }
}
