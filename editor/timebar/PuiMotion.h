// PuiMotion: the companion of a motion: while it is its character's current
// motion it draws the motion's key bar above the time bar and, above that,
// one key row per keyed control of the selected item, and passes mouse
// records to them. Selecting the motion makes it its character's motion.
#pragma once

#include <list>

#include "editor/extend/ItemGui.h"
#include "editor/timebar/KeyBar.h"
#include "editor/timebar/KeyRow.h"
#include "vocore/item/VoRefer.h"

class VoICharacter;
class VoIMotion;

class PuiMotion : public ItemGui {
 public:
  explicit PuiMotion(VoIMotion* motion);
  const char* GetName() override { return "PUI-Motion"; }
  // The key bar and rows, only while this is the selected item's character's motion.
  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;
  void OnSelect(int mode) override;
  void OnDeselect() override;

  VoIMotion* Motion() const;

  // The character it is shown for (set by PuiCharacter's dispatch).
  VoRefer<VoICharacter> character;
  VoRefer<KeyBar> bar;
  std::list<VoRefer<KeyRow>> rows;
  float left = 0.0f, top = 0.0f, spare = 0.0f, width = 0.0f, height = 32.0f;
  int pixelsPerFrame = 8;
  int timeScroll = -10;
  float rowsHeight = 0.0f;

 private:
  KeyBar* EnsureBar();
  // Bar geometry from the surface and the document.
  void Layout();
  // Rows of the keyed controls of the selected item, when it has any.
  void CollectRows();
  // Stacks the live rows above the bar; rowsHeight follows.
  void LayoutRows();
};
