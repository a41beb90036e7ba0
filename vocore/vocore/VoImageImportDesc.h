// VoImageImportDesc: one of the engine's image importers. All of them share
// one import; they differ in name, filter text and extension.
#pragma once

#include "vocore/vocore/VoClassDescImport.h"

class VoImageImportDesc : public VoClassDescImport {
 public:
  constexpr VoImageImportDesc(const char* name, const char* type, const char* ext)
      : name_(name), type_(type), ext_(ext) {}
  const char* ClassName() override { return name_; }
  const char* FileType() override { return type_; }
  const char* FileExt() override { return ext_; }
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;

 private:
  const char* name_;
  const char* type_;
  const char* ext_;
};
