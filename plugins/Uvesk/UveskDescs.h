// The item descriptors of the Uvesk module: VertexBlender (a polygon mesh
// blended from morph targets) and ObjectSelecter (an object that shows one of
// its children). Both also turn specially named objects of an import into
// their items (MorphImport.cpp, SelectImport.cpp).
#pragma once

#include "vocore/vocore/VoClassDescItem.h"

class VertexBlenderDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "VertexBlender"; }
  unsigned long ClassID() override { return 139; }
  unsigned long ParentClassID() override { return 36; }
  VoIItem* Create(VoIBranch* parent) override;
  // Every mesh of the branch's group named "morph:<name>" becomes a blender
  // <name> under the mesh's parent, with the mesh (renamed "base") and the
  // mesh's children as its morph targets. The second argument is not used.
  void ImportConstruction(VoIBranch* branch, VoIBranch* object) override;
};

class ObjectSelecterDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "ObjectSelecter"; }
  unsigned long ClassID() override { return 141; }
  unsigned long ParentClassID() override { return 33; }
  VoIItem* Create(VoIBranch* parent) override;
  // Every mesh of the branch's group named "select:<name>" or
  // "select(<choice>):<name>" becomes a selecter <name> over the mesh's
  // children (and, without a choice, the mesh itself as "default"). The
  // second argument is not used.
  void ImportConstruction(VoIBranch* branch, VoIBranch* object) override;
};
