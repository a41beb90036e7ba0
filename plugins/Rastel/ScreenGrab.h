// Screenshots of a drawing surface: its back buffer read into a 24-bit image,
// and the image sized as a shot's size mode asks.
#pragma once

class DibImage;

namespace Frx::Draw {
class PDraw;
}

enum class GrabResult {
  Done,
  NoBackBuffer,  // no surface, device or back buffer
  NotLocked,     // the back buffer cannot be locked or has a format we do not read
  NoImage,       // the screen has no pixels or the image cannot be made
};

// The back buffer of the surface's device, screen width by height pixels,
// the back buffer's first row the image's top row, as 24 bits. Pixels beyond
// the back buffer (a screen larger than its buffer) stay black.
GrabResult GrabScreen(Frx::Draw::PDraw* draw, DibImage& image);

// Size mode 1: `height` high and as wide as the aspect gives; mode 2: `width`
// wide and as high as the aspect gives; the other side is computed in
// floating point and truncated, and is at least 1. Other modes keep the size.
bool FitShot(DibImage& image, int mode, unsigned height, unsigned width);
