// VoIFile: the item that stands for an imported file.
#pragma once

#include <string>

#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoItemFwd.h"

class VoIFile : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 4 };
  explicit VoIFile(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 27; }
  VoIFile* IsFile() override { return this; }

  int Update(unsigned long counter) override;

  void SetPathName(const char* p) { path = p ? p : ""; }
  // Stores the path and names the item after the path's file name.
  void SetFileName(const char* p);
  // Redraws every child that is an object; 1.
  int Redraw();
  // Appends, as counted references, the items of class `classId` among the
  // parent's children that follow this file up to the next file item.
  void GetFileGroupList(ItemList& list, unsigned long classId);
  Frx::Pstring GetPathName() const { return Frx::Pstring(path.c_str()); }
  Frx::Pstring GetFileName() const { return GetPathName(); }
  int IsReadOnly() const { return readOnly; }
  void SetReadOnly(int on) { readOnly = on; }

  std::string path;
  int readOnly = 0;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
