// GuiObjectSelecter: the companion of object selecters (plug-in class 141,
// which show one child chosen by name in their string parameter "select").
// While the selecter is selected it lists its children in a box at the
// average position of their coordinates; a press on a row chooses that child.
// Picking a child elsewhere (tree or view) chooses it too. It reaches the
// selecter only through the engine: its children and its parameter map.
#pragma once

#include <string>

#include "editor/extend/ItemGui.h"
#include "ferrox/math/Pvector.h"

class GuiObjectSelecter : public ItemGui {
 public:
  static constexpr unsigned long ClassId = 141;

  explicit GuiObjectSelecter(VoIItem* selecter);
  const char* GetName() override { return "GUI-ObjectSelecter"; }
  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;

  // The child named in "select" (empty when the parameter is missing).
  std::string Chosen() const;

  // The list's anchor in window pixels and the children counted by the last draw.
  Frx::Pvector anchor{0.0f, 0.0f, 0.0f};
  int row = -1;
  int children = 0;

 private:
  // Names `child` in "select" and queues the selecter, when that changes it.
  void Choose(VoIItem* child);
};
