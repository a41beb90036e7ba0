// TimeBar: the frame ruler along the bottom of the 3D view; a companion of no
// item, owned (counted) by VoMasterSavora and created for the document.
#pragma once

#include "editor/extend/ItemGui.h"

class CTireloDoc;

class TimeBar : public ItemGui {
 public:
  // `document` is not owned; it outlives the time bar.
  explicit TimeBar(CTireloDoc* document);
  ~TimeBar() override;

  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;

  CTireloDoc* document;
  // Window rectangle of the ruler, refreshed at every drag and draw.
  float left = 0.0f, top = 0.0f, spare = 0.0f, width = 0.0f, height = 0.0f;
};
