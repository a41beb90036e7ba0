// ObjectSelecter: an object that shows and draws exactly one of its children,
// the first whose name equals its parameter "select" (byte for byte). While
// no child has that name the one shown before stays shown.
#pragma once

#include <string>

#include "vocore/item/VoIObject.h"

class ObjectSelecter : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 141 };
  explicit ObjectSelecter(VoIBranch* parent = nullptr) : VoIObject(parent) {}

  // Its own registry entry: "select", then the object's parameters.
  VoItemClassDesc& GetClassDesc() override { return ClassDesc(); }
  unsigned long GetClassID() override { return CLASS_ID; }
  // The name followed by "<ObjectSelecter>".
  Frx::Pstring GetNameEx() override;
  // Chooses the shown child, then updates every child once.
  int Update(unsigned long counter) override;
  // Draws the shown child only.
  int Redraw() override;

  // 1 when the shown child changed.
  int SelectChild();
  // The shown child while it is alive and still a child of this item.
  VoIItem* GetShown() const;

  std::string select;
  VoRefer<VoIItem> shown;

  // Built on first use: no order of static initialisation matters.
  static VoItemClassDesc& ClassDesc();
};
