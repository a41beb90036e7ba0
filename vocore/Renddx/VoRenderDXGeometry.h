// VoRenderDXGeometry: a polygon mesh item drawn through its Pdx8::Mesh, with
// the materials and textures its faces use (counted, in first-use order).
//
// A mesh whose vertices are all rigid keeps one managed vertex buffer; the
// others write one dynamic buffer in place at every draw. Rigid vertices may
// still be moved in place by deformers without any update flag: a static
// mesh whose positions no longer match its buffer is drawn as a moving one
// from then on.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "vocore/Renddx/Pdx8Mesh.h"
#include "vocore/item/VoRefer.h"
#include "vocore/render/VoRenderState.h"

class VoDirectX7;
class VoIMaterial;
class VoIPolygon;
class VoITexture;
class VoVertex;

class VoRenderDXGeometry : public VoRenderGeometry {
 public:
  // The polygon owns this object; the renderer outlives it.
  VoRenderDXGeometry(VoDirectX7* renderer, VoIPolygon* polygon);
  ~VoRenderDXGeometry() override;

  // Rebuilds the mesh when the polygon's update flags are set.
  void Refresh() override;
  // A moving mesh frees its (default pool) vertex buffer.
  void Reset() override;
  void Draw() override;

  const Pdx8::Mesh& GetMesh() const { return mesh_; }
  const std::vector<VoRefer<VoIMaterial>>& GetMaterials() const { return materials_; }
  const std::vector<VoRefer<VoITexture>>& GetTextures() const { return textures_; }

 private:
  // What one draw hands to the device per listed material and texture.
  struct Slots {
    std::vector<const D3DMATERIAL8*> material;
    std::vector<int> edge;
    std::vector<IDirect3DTexture8*> texture;
  };

  bool Rebuild();
  // Brings the vertex buffer up to the positions and normals.
  bool UpdateVertices(const VoVertex& positions, const VoVertex& normals, bool outline);
  void KeepFilled(const VoVertex& positions, const VoVertex& normals);
  bool FilledMatches(const VoVertex& positions, const VoVertex& normals) const;
  void GatherSlots();

  // The passes (VoRenderDXPasses.cpp).
  void DrawGroup(const Pdx8::Group& group);
  void DrawPlain();
  void DrawCel();
  void DrawHighlight();
  void DrawOutline();
  const D3DMATERIAL8& MaterialOf(const Pdx8::Group& group) const;
  IDirect3DTexture8* TextureOf(const Pdx8::Group& group) const;

  VoDirectX7* renderer_;
  VoIPolygon* polygon_;
  IDirect3DDevice8* device_ = nullptr;  // the device of the draw under way
  Pdx8::Mesh mesh_;
  std::vector<VoRefer<VoIMaterial>> materials_;
  std::vector<VoRefer<VoITexture>> textures_;
  Slots slots_;
  bool due_ = true;
  IDirect3DDevice8* builtFor_ = nullptr;
  int builtPositions_ = -1;
  // What a static buffer holds, to notice positions moved behind the item's back.
  std::vector<Frx::Pvector> filledPositions_, filledNormals_;
  float filledWidth_ = 0.0f;
};
