// ExportMQO: the export descriptor for Metasequoia documents.
#pragma once

#include "vocore/vocore/VoClassDescExport.h"

class ExportMQO : public VoClassDescExport {
 public:
  const char* ClassName() override { return "ExportMQO"; }
  const char* FileType() override { return "Metasequoia Object Files (*.mqo)"; }
  const char* FileExt() override { return "mqo"; }
  // The materials and polygons of the list; 1 on success. Flags are not used.
  int Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long flags) override;
  // Everything in the branch's group (as VoIBranch::GetGroupList lists it), at
  // any depth.
  int Export(const char* path, VoIBranch* branch, unsigned long flags) override;
};
