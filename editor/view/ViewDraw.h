// ViewDraw: the 3D view's drawing surface. Before the device resets it lets
// the renderer free what a reset loses, for "project" and "general". It also
// keeps the four textures the first frame loads from the program folder.
#pragma once

#include "ferrox/draw/PDraw.h"

class ViewDraw : public Frx::Draw::PDraw {
 public:
  ViewDraw() = default;
  // Releases the four textures; the surface uninitialises itself.
  ~ViewDraw();

  int ResetScreen() override;
  void ReleaseTextures();

  // Owned references; null when the file was missing.
  IDirect3DTexture8* fontTexture = nullptr;  // "font16.bmp": glyphs and handle icons
  IDirect3DTexture8* envTexture = nullptr;
  IDirect3DTexture8* celTexture = nullptr;
  IDirect3DTexture8* celLightTexture = nullptr;
};
