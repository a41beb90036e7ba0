// The benchmark's reference: the renderer's cel-shaded, outlined frame drawn
// by hand through plain fixed-function OpenGL, in an EGL context of the kind
// the Direct3D stand-in makes (surfaceless Mesa, compatibility profile),
// into a frame buffer of the same size and formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8types.h"

struct GlVertex {
  float x, y, z, nx, ny, nz, u, v;
};

struct GlGroup {
  uint32_t first;  // in indices
  uint32_t count;  // triangles
  int texture;
  float base[3];     // the cel base pass's ambient colour
  float outline[3];  // the outline pass's
};

class GlReference {
 public:
  GlReference() = default;
  ~GlReference();
  GlReference(const GlReference&) = delete;
  GlReference& operator=(const GlReference&) = delete;

  // Makes the context and frame buffer; the caller's current context is kept current.
  bool Open(int width, int height);
  // Vertices hold the mesh half, then the outline half; `dynamic` when they
  // are rewritten every frame.
  void SetMesh(const std::vector<GlVertex>& vertices, const std::vector<uint32_t>& indices,
               const std::vector<GlGroup>& groups, bool dynamic);
  // Uploads the vertices anew.
  void UpdateVertices(const std::vector<GlVertex>& vertices);
  // Textures of 0xAARRGGBB words, top row first; the ramp last.
  int AddTexture(int width, int height, const std::vector<uint32_t>& argb);
  void SetTransforms(const D3DMATRIX& view, const D3DMATRIX& projection, const D3DMATRIX& ramp, int rampTexture);

  // One frame, finished (one pixel read back); the caller's context is
  // current again afterwards.
  uint32_t Frame(const std::vector<GlVertex>* moved);
  // The whole frame as 0x00RRGGBB words, rows top-down.
  std::vector<uint32_t> ReadFrame();
  std::string Renderer() const { return renderer_; }

 private:
  void Draw();
  bool Enter();
  void Leave();

  void* context_ = nullptr;
  void* previous_ = nullptr;
  int width_ = 0, height_ = 0;
  unsigned frameBuffer_ = 0, colour_ = 0, depth_ = 0, vertexBuffer_ = 0, indexBuffer_ = 0;
  std::vector<unsigned> textures_;
  std::vector<GlGroup> groups_;
  uint32_t vertexCount_ = 0;
  bool wide_ = false;
  D3DMATRIX view_{}, projection_{}, ramp_{};
  int rampTexture_ = -1;
  std::string renderer_;
};
