// VoIGeometry: an object that owns vertex positions and a render object.
// Its modifier children (deformers, blenders) run when it updates.
#pragma once

#include "vocore/geometry/VoVertex.h"
#include "vocore/item/VoIObject.h"

class VoRenderGeometry;
class VoISkelton;

class VoIGeometry : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 35 };
  enum : unsigned short { UPDATE_VERTEX = 0x10 };
  explicit VoIGeometry(VoIBranch* parent = nullptr) : VoIObject(parent) {}
  ~VoIGeometry() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 18; }
  VoIGeometry* IsGeometry() override { return this; }
  // The object part, then a copy of the source's positions when it has any.
  void Copy(VoIItem* source) override;
  // Updates the modifier children only, in ring order.
  int Update(unsigned long counter) override;

  // Deletes the current render object and keeps the new one.
  void SetRender(VoRenderGeometry* r);
  VoRenderGeometry* GetRender() const { return render; }

  void AttachVertex(VoVertex* array);
  void ReleaseVertex() { vertex.Clear(); }
  VoVertex* GetVertex() const { return vertex.Get(); }
  unsigned long GetNumVertex() const;

  // (0, 0, 0) out of range or without positions.
  Frx::Pvector GetVertexArray(unsigned long i) const;
  int SetVertex(unsigned long i, const Frx::Pvector& v);
  int DeleteVertex(unsigned long i);
  // Reuses the first deleted slot, else appends; the vertex gets fix type
  // FIX_MOVED either way. 0 without positions.
  unsigned long AddVertex(const Frx::Pvector& v);

  // The skeleton's bone whose midpoint lies nearest the centre of the
  // positions; without positions the first coordinate. Null without skeleton.
  VoICoordinate* GetNearCoordinate(VoISkelton* skeleton);

  VoRefer<VoVertex> vertex;
  VoRenderGeometry* render = nullptr;
};
