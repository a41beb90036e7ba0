// TimeBar: the frame ruler along the bottom of the 3D view; a companion of no
// item, owned (counted) by VoMasterSavora and created for the document, whose
// frame and ruler it reads and sets through TimeLine. Dragging its marker sets
// the current frame; dragging elsewhere on it scrolls the ruler with the
// pointer.
#pragma once

#include <vector>

#include "editor/extend/ItemGui.h"
#include "editor/timebar/TimeLine.h"

class TimeBar : public ItemGui {
 public:
  // `document` is not owned; it outlives the time bar.
  explicit TimeBar(TimeLine* document);
  ~TimeBar() override;

  float HitTest(float x, float y, int z) override;
  void Drag(MouseRecord record) override;
  void Draw() override;

  TimeLine* document;
  // Window rectangle of the ruler, refreshed at every drag and draw.
  float left = 0.0f, top = 0.0f, spare = 0.0f, width = 0.0f, height = 0.0f;
  // What a left press took hold of (told apart by address).
  GuiTarget scrollTarget;
  GuiTarget markerTarget;
  float lastX = 0.0f, lastY = 0.0f;
  uint32_t lastButtons = 0;
  // Copies of the document's settings and the frame shown, at the last refresh.
  int timeScroll = -10;
  int pixelsPerFrame = 8;
  float displayedFrame = 0.0f;
  float markerX = 0.0f, markerY = 0.0f;
  // Entries stay after the release; the next left press replaces them.
  std::vector<GuiTarget*> drags;

 private:
  // Rectangle, settings and marker from the surface and the document.
  void Refresh();
};
