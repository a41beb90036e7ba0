// VoClassDescItem: creates the items of one class and names its place in the
// class tree (ClassID under ParentClassID).
#pragma once

#include "vocore/vocore/VoClassDesc.h"

class VoIBranch;
class VoIItem;

class VoClassDescItem : public VoClassDesc {
 public:
  int IsItemPlugin() override;
  virtual unsigned long ClassID() = 0;
  virtual unsigned long ParentClassID() = 0;
  // Constructs the item under `parent` and links it; the caller runs
  // VoMaster::CreateState on it.
  virtual VoIItem* Create(VoIBranch* parent) = 0;
  // Importers call this after building a scene, so a class can turn specially
  // named objects into its own items.
  virtual void ImportConstruction(VoIBranch* /*branch*/, VoIBranch* /*parent*/) {}
  virtual unsigned long NumIcon() { return 0; }
  virtual void DrawProject(unsigned long /*a*/, unsigned long /*b*/) {}
  // The editor's property page for the item; null when the class has none.
  virtual void* CreateProperty(VoIItem* /*item*/, void* /*parent*/) { return nullptr; }
};
