// The companions of locates, coordinates and world locates: a mark that picks
// them, and handles that move them (a locate of an IK chain drags its chain),
// turn coordinates, and move world locates with spring relaxation.
#pragma once

#include "editor/extend/GuiSkeletonItem.h"

class VoICoordinate;
class VoIWLocate;

class GuiLocate : public GuiSkeletonItem {
 public:
  explicit GuiLocate(VoILocate* locate, int mask = Handle::Translate);
  const char* GetName() override { return "GUI-Locate"; }
  // The manipulator first while selected (a hit is depth 0); then the mark.
  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;
};

class GuiCoordinate : public GuiLocate {
 public:
  explicit GuiCoordinate(VoICoordinate* coordinate);
  const char* GetName() override { return "GUI-Coordinate"; }
  void Drag(MouseRecord record) override;
  void Draw() override;
  // Keeps the manipulator: it stays inert while the item is not selected.
  void OnDeselect() override {}
};

class GuiWLocate : public GuiLocate {
 public:
  explicit GuiWLocate(VoIWLocate* locate);
  const char* GetName() override { return "GUI-WLocate"; }
  // Handles move it and relax the springs around it; a middle press pins or
  // frees it (once per press).
  void Drag(MouseRecord record) override;
  void Draw() override;
};
