// Test support: meshes, materials and textures built in code, for drawing
// through the render harness. Every item is made through the master under the
// given parent (the tree holds it).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "platform/d3d8/d3d8.h"
#include "vocore/geometry/VoIPolygon.h"

class VoIMaterial;
class VoITexture;
class VoMaster;

namespace votest {

// Positions and faces of a mesh; faces are clockwise seen from outside (the
// side their normals point to), with (u, v) per corner.
struct MeshData {
  std::vector<Frx::Pvector> positions;
  std::vector<VoFaceElement> faces;

  void AddFace(std::initializer_list<uint32_t> corners, std::initializer_list<std::array<float, 2>> uv = {});
};

// A square of side 2 × half in the z = 0 plane facing +z, u right, v down.
MeshData Quad(float half = 1.0f);
// A latitude-longitude sphere; v runs from the top pole (0) to the bottom (1).
MeshData Sphere(float radius, int slices, int stacks);
// cols × rows quads of side `size` in the z = 0 plane facing +z, centred;
// every quad with its own four corners (nothing shared) when `split` is set.
MeshData Grid(int cols, int rows, float size, bool split = false);

// A polygon with the mesh; every face gets `material`, every position `fix`.
VoIPolygon* AddPolygon(VoMaster& master, VoIBranch* parent, const MeshData& mesh, VoIMaterial* material,
                       VoVertex::VoFixType fix = VoVertex::FIX_RIGID);

struct MaterialSpec {
  float r = 1, g = 1, b = 1, a = 1;
  float dif = 1, amb = 0, emi = 0, spc = 0, power = 0;
  int edge = 0;
};
VoIMaterial* AddMaterial(VoMaster& master, VoIBranch* parent, const MaterialSpec& look,
                         VoITexture* texture = nullptr);

// A texture item of width × height pixels of `bits` (16, 24 or 32) from
// rows given bottom-up, as the item keeps them.
VoITexture* AddTexture(VoMaster& master, VoIBranch* parent, int width, int height, int bits,
                       const std::vector<uint8_t>& rows);
// The same from 0xAARRGGBB words, bottom row first, stored as 32 bits.
VoITexture* AddTexture32(VoMaster& master, VoIBranch* parent, int width, int height,
                         const std::vector<uint32_t>& argb);

// A device texture of 0xAARRGGBB words, top row first (for the ramp and the
// sphere textures that hosts own). The caller owns the reference.
IDirect3DTexture8* MakeDeviceTexture(IDirect3DDevice8* device, int width, int height,
                                     const std::vector<uint32_t>& argb);

}  // namespace votest
