// The item descriptor of the Drapel module: Drapeler, the skin modifier.
#pragma once

#include "vocore/vocore/VoClassDescItem.h"

class DrapelerDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "Drapeler"; }
  unsigned long ClassID() override { return 139; }
  unsigned long ParentClassID() override { return 34; }
  VoIItem* Create(VoIBranch* parent) override;
  // Every polygon directly under `object` named "skin:<N>" becomes the anchor
  // of a new Drapeler <N> under `branch`; its members are the meshes nested
  // under it by the importer and the siblings named "<piece>|<N>" (renamed
  // <piece>). A null object (the MQO importer passes none) means the branch,
  // under which the import put its objects.
  void ImportConstruction(VoIBranch* branch, VoIBranch* object) override;
};
