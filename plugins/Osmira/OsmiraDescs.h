// The item descriptors of the Osmira module: the bone deformer and the
// anchor deformer, each made by class name or from specially named objects
// after an import.
#pragma once

#include "vocore/scene/VoIModifier.h"
#include "vocore/vocore/VoClassDescItem.h"

class OsmiraformDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "Osmiraform"; }
  unsigned long ClassID() override { return 133; }
  unsigned long ParentClassID() override { return VoIModifier::CLASS_ID; }
  // A new deformer under `parent`, with no skeleton and no records.
  VoIItem* Create(VoIBranch* parent) override;
  // Polygons named "bdef:<name>" under `branch` get an Osmiraform. The second
  // argument is not read (the importer passes null).
  void ImportConstruction(VoIBranch* branch, VoIBranch* object) override;
};

class SphericalDeformDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "SphericalDeform"; }
  unsigned long ClassID() override { return 134; }
  unsigned long ParentClassID() override { return VoIModifier::CLASS_ID; }
  VoIItem* Create(VoIBranch* parent) override;
  // Polygons named "sdef:<name>" get a SphericalDeform.
  void ImportConstruction(VoIBranch* branch, VoIBranch* object) override;
};
