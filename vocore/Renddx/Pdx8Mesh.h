// Pdx8::Mesh: the device data of one polygon mesh. One vertex per distinct
// (position, uv) pair, faces batched into groups of equal (kind, material,
// texture), and a vertex buffer of two halves: the mesh, then its outline
// shell (each position pushed along its normal).
//
// The mesh owns its buffers; the device is the host's and is not counted.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "platform/d3d8/d3d8.h"

namespace Pdx8 {

struct Vertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
static_assert(sizeof(Vertex) == 32);
constexpr DWORD VertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

enum GroupKind { KIND_LINE = 0, KIND_TRIANGLE = 1 };

// A run of the index list drawn with one call; count is in primitives.
struct Group {
  int kind;
  int material;  // index in the geometry's material list, -1 none
  int texture;   // index in its texture list, -1 none
  uint32_t first;
  uint32_t count;
};

// An extra vertex made for a position whose corners carry another (u, v).
struct UvMap {
  uint32_t position;
  uint32_t vertex;
};

// One live face as the geometry hands it over.
struct FaceRecord {
  int corners;  // 2, 3 or 4
  uint32_t index[4];
  float uv[4][2];
  int material;
  int texture;
};

class Mesh {
 public:
  Mesh() = default;
  ~Mesh() { Release(); }
  Mesh(const Mesh&) = delete;
  Mesh& operator=(const Mesh&) = delete;

  // Splits vertices by (u, v), groups the faces and creates the index buffer.
  // Corner indices must be below positionCount. False (and an empty mesh)
  // when the device refuses a buffer.
  bool Build(IDirect3DDevice8* device, uint32_t positionCount, const std::vector<FaceRecord>& faces);

  // Writes the mesh half (and the outline half when `outline`) from positions
  // and normals of positionCount entries each. A static mesh keeps one managed
  // buffer; a moving one keeps one dynamic buffer written in place.
  bool Fill(const Frx::Pvector* positions, const Frx::Pvector* normals, bool outline, float width);
  // Frees the vertex buffer (the next Fill makes it again).
  void ReleaseVertexBuffer();
  void Release();

  bool IsBuilt() const { return indexBuffer != nullptr; }
  // Whether drawing the outline half (base vertex = vertexCount) stays inside
  // what the device can index.
  bool OutlineFits() const { return outlineFits; }

  IDirect3DDevice8* device = nullptr;
  uint32_t positionCount = 0;
  uint32_t vertexCount = 0;
  IDirect3DIndexBuffer8* indexBuffer = nullptr;
  IDirect3DVertexBuffer8* vertexBuffer = nullptr;
  std::vector<Group> groups;
  std::vector<uint32_t> indices;
  std::vector<UvMap> map;
  std::vector<std::array<float, 2>> uv;
  bool isStatic = false;
  bool wideIndices = false;
  bool outlineFits = true;

 private:
  bool MakeVertexBuffer();
  void WriteHalf(Vertex* out, const Frx::Pvector* positions, const Frx::Pvector* normals, float width) const;
  bool bufferStatic_ = false;
};

}  // namespace Pdx8
