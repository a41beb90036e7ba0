// Canvas: what the manipulators' drawing functions draw with: the view's
// drawing surface, the handle texture whose lower cells hold the icons, the
// manipulator settings of the document, and the selected item (items draw
// fainter while another item is selected). None of it is owned.
#pragma once

#include <cstdint>

#include "editor/manip/HandleLayout.h"
#include "editor/manip/ScreenMap.h"
#include "editor/manip/draw/OverlayBatch.h"
#include "ferrox/draw/PDraw.h"

class VoIItem;

struct Canvas {
  // Colour slots of ManipulatorColors: the centre, the axes X, Y, Z
  // (handles 3-5), then the rings (handles 6-8).
  enum : int { ColourCentre = 0, ColourX = 1, ColourY = 2, ColourZ = 3, ColourCount = 7 };

  explicit Canvas(Frx::Draw::PDraw& draw) : draw(draw) {}

  // Whether `item` is drawn while another item is selected.
  bool OtherSelected(const VoIItem* item) const { return selected && selected != item; }
  // The colour of handle 3-8 (and of the axis or ring it stands for).
  uint32_t HandleColour(int handle) const;
  // Draws what the batch holds: every immediate drawing function does so
  // first, so that batching never reorders against it.
  void Flush() {
    if (batch) batch->Flush(draw);
  }
  // World to window through the device's current camera and projection.
  ScreenMap Screen() const;
  // The device's current camera and projection, and the window size.
  CameraState Camera() const;

  Frx::Draw::PDraw& draw;
  // Null draws the icons as plain squares of their colour.
  IDirect3DTexture8* handles = nullptr;
  float manipulatorSize = 0.25f;
  uint32_t colours[ColourCount] = {0x4CB2B2B2, 0x4CFF99B2, 0x4CB2FF99, 0x4C99B2FF,
                                   0x4CCC66FF, 0x4C66FFCC, 0x4CFFCC66};
  VoIItem* selected = nullptr;
  // Where marks and bone shapes go while a character's items are drawn; null
  // draws them at once.
  OverlayBatch* batch = nullptr;
};
