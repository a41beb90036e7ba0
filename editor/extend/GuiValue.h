// GuiValue: while its value item (named float entries, such as the weights of
// a morph) is selected, its entries are listed under the item's name in the
// view's text, each with a slider knob; dragging along a row sets that
// entry between 0 and 1. The value is written straight into the entry.
#pragma once

#include "editor/extend/ItemGui.h"

class VoIValue;

class GuiValue : public ItemGui {
 public:
  explicit GuiValue(VoIItem* value);
  const char* GetName() override { return "GUI-Value"; }
  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;

  VoIValue* Value() const;

  // The list's corner in window pixels (set by each draw); rows are 8 pixels.
  float left = 0.0f, top = 0.0f;
  // The row of the last press; -1 after a press that took no row.
  int row = -1;
};

// An entry's float (the low 32 bits of its first word); 0 out of range.
float ValueEntry(const VoIValue* value, unsigned long index);
void SetValueEntry(VoIValue* value, unsigned long index, float v);
