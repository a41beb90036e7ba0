// The manipulator's axes, rings and handle sprites around an item, and its
// read-out box. Drawing stores the handles' window positions in the
// manipulator, which its hit test reads.
#pragma once

#include "editor/manip/ReadOut.h"
#include "editor/manip/draw/Canvas.h"

class GuiManipulator;

// Axes (handles 3-5) and rings (6-8) of length h around `position`, oriented
// by `orientation` (null: the device's current world transform); handle
// sprites for the enabled handles; the active one highlighted. Handles of an
// item on or behind the camera plane are neither drawn nor hittable.
void DrawHandles(Canvas& canvas, GuiManipulator& manipulator, const Frx::Pmatrix* orientation,
                 const Frx::Pvector& position);
// The read-out: a dark box and its text in the surface's text colour.
void DrawReadOut(Canvas& canvas, const ReadOut& readOut);
