// The playback commands of the view frame, on the document: play, pause,
// stop, single steps and the jumps to the next and previous key.
#pragma once

#include "editor/document/CommandIds.h"

class CTireloDoc;
class VoIMotion;

namespace Playback {

enum : int { CommandPlay = Cmd::Play, CommandPause = Cmd::Pause };

// paused = 0; the current frame is remembered for Stop.
void Play(CTireloDoc& doc);
// paused = 1; the current frame is cut to a whole number (towards zero).
void Pause(CTireloDoc& doc);
// paused = 1; back to the frame remembered at Play (0 before any play).
void Stop(CTireloDoc& doc);
// As at start: paused at frame 0, which Stop also returns to (a new project).
void Restart(CTireloDoc& doc);
void Step(CTireloDoc& doc, int frames);
// The scoped character's motion's next key after its current whole frame,
// wrapping to the first; the previous key before it, wrapping to the last.
void NextKey(CTireloDoc& doc);
void PreviousKey(CTireloDoc& doc);

// The key-frame targets for a motion at whole frame k (k when it has no keys).
long NextKeyFrame(VoIMotion& motion, long k);
long PreviousKeyFrame(VoIMotion& motion, long k);

}  // namespace Playback
