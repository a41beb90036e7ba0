// The pieces of one frame of the 3D view (CTireloView::RenderFrame), each
// callable on its own; the frame loop above runs a frame, then advances.
#pragma once

#include <functional>

class CTireloDoc;
class CTireloView;
class VoDirectX7;
class VoICharacter;
class VoIMotion;

namespace FrameLoop {

// Milliseconds of a steady clock (float, as the frame loop keeps them).
float Clock();

// Keys the pose of every queued item's character under `scoped` into its
// motion at the motion's whole frame, making a motion where there is none,
// then pauses playback. Does nothing without a scoped character or queue.
void DeferredPass(CTireloDoc& doc, VoICharacter* scoped);
void AutoKeyCharacter(VoICharacter* character, VoIMotion* motion, long frame);

// First frame: the screen, the font and the four textures of the program
// folder; the renderer gets the device. False when no screen could be made.
bool CreateViewScreen(CTireloView& view, VoDirectX7& renderer);
// The drawing of a frame on a view that has a device: the scene, the
// manipulators, the time bar and the overlay, then the present.
void DrawScene(CTireloView& view, CTireloDoc& doc, VoDirectX7& renderer, float frame);

// What happens when the first frame cannot make a screen. The default shows
// a message and ends the process with code 1; tests replace it.
void SetScreenFailureHandler(std::function<void()> handler);
void ScreenFailed();

}  // namespace FrameLoop
