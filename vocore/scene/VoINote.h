// VoINote: an item that carries a text.
#pragma once

#include <string>

#include "vocore/item/VoIBranch.h"

class VoINote : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 68 };
  explicit VoINote(VoIBranch* parent = nullptr) : VoIBranch(parent) {}

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 10; }
  VoINote* IsNote() override { return this; }

  void SetText(const char* t) { text = t ? t : ""; }
  const char* GetText() const { return text.c_str(); }

  std::string text;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
