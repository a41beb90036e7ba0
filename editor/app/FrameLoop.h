// The frame loop: what one idle call does after the view's frame
// (editor/view/FramePieces.h): advance the current frame.
#pragma once

#include "editor/view/FramePieces.h"

class CTireloDoc;

namespace FrameLoop {

// After a frame: previous := current; unless paused the current frame
// advances by one, or by the elapsed milliseconds × 0.06 in real time; the
// last clock becomes `clock`; the deferred list is emptied.
void Advance(CTireloDoc& doc, float clock);

}  // namespace FrameLoop
