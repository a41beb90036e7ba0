// The device state of the overlay's own draws, made cheaper for the software
// rasteriser without changing a pixel. The overlay lies at depth 0, in front
// of everything, so the depth test always passes: it is switched off. Without
// a texture the device reads an empty stage as opaque white, a texture read
// per pixel that changes nothing: white times the diffuse colour is the
// diffuse colour, and white's alpha of 1 turns source-alpha blending into
// plain replacing. So an untextured draw goes out with its stages off and,
// where the alpha came from the white texture, the blend factors that alpha
// gives. A state it does not know keeps the stage as it is. Everything is
// put back when the guard goes (only changed values reach GL, at a draw).
#pragma once

#include <cstdint>

#include "ferrox/draw/PDraw.h"

class FlatState {
 public:
  // What becomes of a draw that replaces the picture (no blending, or
  // blending by an alpha of 1): blending switched off (Replace), or blending
  // by source alpha kept, as the overlay's translucent marks have it, with
  // the caller giving its vertices an alpha of 1 (Blend, see Colour):
  // the same pixels either way, and draws among the marks then leave the
  // device's pipeline as the marks have it.
  enum class Opaque { Replace, Blend };
  explicit FlatState(IDirect3DDevice8* device, Opaque opaque = Opaque::Replace);
  // The same for a draw without a texture: stage 0's texture is unbound first.
  static FlatState Untextured(IDirect3DDevice8* device, Opaque opaque = Opaque::Replace);
  ~FlatState();
  FlatState(const FlatState&) = delete;
  FlatState& operator=(const FlatState&) = delete;
  // Whether the caller must draw its vertices with an alpha of 1 (Blend).
  bool OpaqueAlpha() const { return opaqueAlpha_; }
  // A vertex colour as the caller must draw it: with an alpha of 1 where
  // Blend made a replacing draw blend.
  uint32_t Colour(uint32_t colour) const { return opaqueAlpha_ ? colour | 0xFF000000u : colour; }

 private:
  void Set(D3DRENDERSTATETYPE state, DWORD value);
  void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);

  IDirect3DDevice8* device_;
  struct Saved {
    bool stage;
    DWORD unit, type, value;
  };
  // Sets the state when it differs, to be put back.
  void Change(D3DRENDERSTATETYPE state, DWORD value);
  // The marks' blending for a draw of this alpha; false when it would change pixels.
  bool BlendByAlpha(bool diffuseAlpha);

  Saved saved_[10] = {};
  int count_ = 0;
  bool opaqueAlpha_ = false;
};
