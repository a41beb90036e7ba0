// The frame loop: what one idle call does (render a frame, advance the
// current frame) and the pieces of a frame, each callable on its own.
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

// After a frame: previous := current; unless paused the current frame
// advances by one, or by the elapsed milliseconds × 0.06 in real time; the
// last clock becomes `clock`; the deferred list is emptied.
void Advance(CTireloDoc& doc, float clock);

// Keys the pose of every queued item's character under `scoped` into its
// motion at the motion's whole frame, making a motion where there is none,
// then pauses playback. Does nothing without a scoped character or queue.
void DeferredPass(CTireloDoc& doc, VoICharacter* scoped);
void AutoKeyCharacter(VoICharacter* character, VoIMotion* motion, long frame);

// First frame: the screen, the font and the four textures of the program
// folder; the renderer gets the device. False when no screen could be made.
bool CreateViewScreen(CTireloView& view, VoDirectX7& renderer);
// Steps 4a to 4n of a frame on a view that has a device.
void DrawScene(CTireloView& view, CTireloDoc& doc, VoDirectX7& renderer, float frame);

// What happens when the first frame cannot make a screen. The default shows
// a message and ends the process with code 1; tests replace it.
void SetScreenFailureHandler(std::function<void()> handler);
void ScreenFailed();

}  // namespace FrameLoop
