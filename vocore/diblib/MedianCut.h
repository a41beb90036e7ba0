// Median-cut colour quantizer: chooses up to `colours` palette entries for a
// packed blue-green-red pixel array and maps every pixel to one of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vocore/diblib/DibHeader.h"

// palette receives `colours` entries (unused ones 0); indices one per pixel.
// Returns the number of colours made.
int MedianCut(const uint8_t* bgr, size_t pixelCount, int colours, DibRgbQuad* palette,
              uint8_t* indices);
