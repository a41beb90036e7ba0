// VoClassDescCommand: a named command the host offers in its menus.
#pragma once

#include "vocore/vocore/VoClassDesc.h"

class VoIItem;

class VoClassDescCommand : public VoClassDesc {
 public:
  int IsCommandPlugin() override { return 1; }
  // Class id of the items the command applies to; 0 for any.
  virtual unsigned long AttachClassID() { return 0; }
  virtual char* MenuName();
  // `flags` carries the host interface pointer, so it stays pointer-sized.
  virtual int Execute(VoIItem* destination, VoIItem* source, unsigned long flags) = 0;
};
