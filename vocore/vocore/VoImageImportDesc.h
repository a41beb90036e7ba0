// VoImageImportDesc: one of the engine's image importers. All of them share
// one import; they differ in name, filter text and extension.
#pragma once

#include "vocore/vocore/VoClassDescImport.h"

class VoITexture;

class VoImageImportDesc : public VoClassDescImport {
 public:
  constexpr VoImageImportDesc(const char* name, const char* type, const char* ext)
      : name_(name), type_(type), ext_(ext) {}
  const char* ClassName() override { return name_; }
  const char* FileType() override { return type_; }
  const char* FileExt() override { return ext_; }
  // The reader follows the path's extension, not this descriptor's, so any
  // of the image importers reads any image kind. `flags` is not used.
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;

 private:
  const char* name_;
  const char* type_;
  const char* ext_;
};

// Reads an image file into a new texture item under `parent`, sized by the
// current master's renderer (the default capabilities without one). The tree
// holds the new item; on failure it is released again, the import error is
// logged and null returned.
VoITexture* VoImportTexture(const char* path, VoIBranch* parent);
