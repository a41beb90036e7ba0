// Screen-space primitives of the time bar, key bars and icons, in window
// pixels through the canvas's surface. Every function does nothing when the
// surface has no device.
#pragma once

#include <cstdint>

#include "editor/manip/draw/Canvas.h"

// One quad of the given size at (x, y, z) with the UV rectangle (u, v)-(u +
// du, v + dv) in one colour. A null texture draws a plain quad (stage 0 is
// cleared rather than left with whatever was drawn last). Returns 0.
int DrawTexturedQuad(Canvas& canvas, float x, float y, float z, float width, float height, float u, float v,
                     float du, float dv, uint32_t colour, IDirect3DTexture8* texture);
// A 16 × 16 icon of the handle texture centred on (x, y); cell in texture pixels.
void DrawIconSprite(Canvas& canvas, float x, float y, int cellX, int cellY, float r, float g, float b);
// A box 3 pixels wide from (x - 1, y), `height` tall, at half the colour.
void DrawMarkBox(Canvas& canvas, float x, float y, float height, float r, float g, float b);
// The body of a key bar: the motion's span from frame 0 to `endFrame` in the
// colour, frames outside it darker (with side boxes), and its edge lines; 16
// pixels tall with `halfHeight`, else 32.
void DrawBarBox(Canvas& canvas, float x, float y, float width, float r, float g, float b, long endFrame,
                int scroll, int pixelsPerFrame, bool halfHeight, bool sideBoxes);
// The frame ruler: a 16-pixel band with ticks every 10, 30 and 60 frames
// (4, 8 and 12 pixels tall) and frame numbers at every 60th.
void DrawRuler(Canvas& canvas, float x, float y, float width, float r, float g, float b, int scroll,
               int pixelsPerFrame);
