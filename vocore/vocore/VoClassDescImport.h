// VoClassDescImport: reads a file into items under a parent branch.
#pragma once

#include "vocore/vocore/VoClassDescIE.h"

class VoIBranch;
class VoIItem;

class VoClassDescImport : public VoClassDescIE {
 public:
  int IsImportPlugin() override;
  // The item that stands for the file, or null on failure. `flags` is a
  // pointer-sized word: callers may pass a pointer through it.
  virtual VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) = 0;
};
