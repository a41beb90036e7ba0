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

#include "ferrox/draw/PDraw.h"

class FlatState {
 public:
  explicit FlatState(IDirect3DDevice8* device);
  ~FlatState();
  FlatState(const FlatState&) = delete;
  FlatState& operator=(const FlatState&) = delete;

 private:
  void Set(D3DRENDERSTATETYPE state, DWORD value);
  void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);

  IDirect3DDevice8* device_;
  struct Saved {
    bool stage;
    DWORD unit, type, value;
  };
  Saved saved_[8] = {};
  int count_ = 0;
};
