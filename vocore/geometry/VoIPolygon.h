// VoIPolygon: a geometry with faces and vertex normals.
//
// Face tables are also filled directly by importers, so every operation here
// walks only faces whose corners index existing positions
// (VoFaceElement::GetValidCount); other faces are skipped as if deleted.
#pragma once

#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIGeometry.h"

class VoIPolygon : public VoIGeometry {
 public:
  enum : unsigned long { CLASS_ID = 36 };
  enum : unsigned short { UPDATE_FACE = 0x20, UPDATE_NORMAL = 0x40 };
  // What AddFace returns when it refuses the corners.
  static constexpr unsigned long NO_FACE = ~0UL;

  explicit VoIPolygon(VoIBranch* parent = nullptr) : VoIGeometry(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 17; }
  VoIPolygon* IsPolygon() override { return this; }
  void Copy(VoIItem* source) override;
  // Modifiers, then normals (made when missing or of the wrong length), then
  // the render object's rebuild when any update flag is set.
  int Update(unsigned long counter) override;
  int Save(VoSave& save) override;
  int Redraw() override;

  void AttachFace(VoFace* table);
  void ReleaseFace() { face.Clear(); }
  VoFace* GetFace() const { return face.Get(); }
  unsigned long GetNumFace() const;
  void AttachNormal(VoVertex* array) { normal = array; }
  void ReleaseNormal() { normal.Clear(); }
  VoVertex* GetNormal() const { return normal.Get(); }

  // Copies the corner indices (up to 4) and returns the type word; the count
  // bits are 0 for a face out of range, without table, or whose corners do
  // not all index a position (nothing is copied then).
  VoFaceElementType GetFaceIndexArray(unsigned long* out, unsigned long i) const;
  // The same with the corner positions.
  VoFaceElementType GetFacePointArray(Frx::Pvector* out, unsigned long i) const;
  VoIMaterial* GetMaterialFace(unsigned long i) const;
  // Number of faces with vertex v as a corner, their indices in face order
  // written to `out` when given (it must hold GetNumFace() entries).
  unsigned long GetFIndexArray(unsigned long* out, unsigned long v) const;
  // Reuses the first deleted face (keeping its type bits and material), else
  // appends one. 0 without face table; NO_FACE when the count is not 2..4 or
  // a corner does not index an existing position.
  unsigned long AddFace(unsigned long n, const unsigned long* indices);
  int DeleteFace(unsigned long i);
  // Marks deleted every live face whose corner count is above 4 or whose
  // corners do not all index a position; for tables filled directly from a
  // file. The number of faces deleted.
  unsigned long ValidateFaces();

  VoVertex* CreateNormal();
  // Area-weighted vertex normals from the faces.
  void SolveNormal_Grow();
  void OptimizeFaceFix();
  // Marks deleted every position that no live face uses.
  void OptimizeCompact();
  // Splits the mesh into its connected parts under `parent`; the number of
  // parts. One part relinks this polygon (unless `parent` lies inside it,
  // which would close a loop in the tree); more make new polygons "%s%02d".
  // 0, with nothing made or moved, when parent lies too deep for the parts
  // (VoDescent.h).
  unsigned long CreatePolygon_MeshDevide(VoIBranch* parent);
  // The first face the segment a-b crosses: 1 with `hit` set, else 0.
  int GetPointIntersection(Frx::Pvector& hit, const Frx::Pvector& a, const Frx::Pvector& b);
  // 1 when the point lies inside the closed mesh (parity along x).
  int IsInnerVertex(const Frx::Pvector& point);

  VoRefer<VoFace> face;
  VoRefer<VoVertex> normal;
};
