// The timeline-side companions. PuiCharacter passes a character's mouse
// records and draws on to its skeleton, its objects, its value items and its
// current motion; PuiKeyControl (Vector, Quaternion, Refer and Bool
// controls) does nothing.
#pragma once

#include "editor/extend/ItemGui.h"

class VoICharacter;

class PuiCharacter : public ItemGui {
 public:
  explicit PuiCharacter(VoICharacter* character);
  const char* GetName() override { return "PUI-Character"; }
  void Drag(MouseRecord record) override;
  void Draw() override;

  VoICharacter* Character() const;

  // The strip along the bottom of the surface, refreshed at every drag and draw.
  float left = 0.0f, top = 0.0f, spare = 0.0f, width = 0.0f, height = 16.0f;
  int pixelsPerFrame = 8;
  int timeScroll = -10;

 private:
  void Refresh();
};

class PuiKeyControl : public ItemGui {
 public:
  explicit PuiKeyControl(VoIItem* control) : ItemGui(control) {}
  const char* GetName() override { return "PUI-KeyControl"; }
  void Drag(MouseRecord) override {}
  void Draw() override {}
};
