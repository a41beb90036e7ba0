// ImportMQO: the import descriptor for Metasequoia documents.
#pragma once

#include "vocore/vocore/VoClassDescImport.h"

class ImportMQO : public VoClassDescImport {
 public:
  const char* ClassName() override { return "ImportMQO"; }
  const char* FileType() override { return "Metasequoia Object Files (*.mqo)"; }
  const char* FileExt() override { return "mqo"; }
  // Builds the file's items under parent and returns parent; null, with
  // nothing made, when the file cannot be read or is refused. The flags word
  // (the host) is not used.
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;
};
