// ImportKVM: the import descriptor for motion files.
#pragma once

#include "vocore/vocore/VoClassDescImport.h"

class ImportKVM : public VoClassDescImport {
 public:
  const char* ClassName() override { return "ImportKVM"; }
  const char* FileType() override { return "Savora Motion Files (*.kvm)"; }
  const char* FileExt() override { return "kvm"; }
  // Adds the file's motions under parent and returns parent. The flags word
  // carries the host (HostFromFlags) or 0: with a host and a character as
  // parent, each top-level motion gets the character's controls (host slot
  // 33). Null when the file cannot be read, is no motion file or is broken;
  // then nothing is added and parent, with what it held, stays as it was.
  // What a taken file had that was passed over is logged, a line each.
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;
};
