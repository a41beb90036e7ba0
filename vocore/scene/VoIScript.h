// VoIScript: a note whose text is a script source.
#pragma once

#include "vocore/scene/VoINote.h"

class VoIScript : public VoINote {
 public:
  enum : unsigned long { CLASS_ID = 70 };
  explicit VoIScript(VoIBranch* parent = nullptr) : VoINote(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIScript* IsScript() override { return this; }
};
