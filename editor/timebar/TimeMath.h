// Frames and window pixels on the time bar and key bars: frame f is drawn at
// x = trunc(f) × pixels-per-frame − scroll + left, and the frame under x is
// the nearest one, (trunc(x) + scroll + ppf / 2) / ppf in integer division.
#pragma once

class VoIMotion;

namespace TimeMath {

// The frame under window x; 0 when pixelsPerFrame is not positive.
long FrameAt(float x, int scroll, int pixelsPerFrame);
// Window x of a frame (the fraction is dropped).
float FrameX(float frame, int scroll, int pixelsPerFrame, float left);
// The document's frame as the time bar shows it: wrapped into the motion's
// length when it has run past the end (0 for a motion of length 0).
float DisplayedFrame(float current, VoIMotion* motion);
// A motion frame-table entry back to its frame (entries are frame × 2, plus 1
// where only some controls have a key there).
long EntryFrame(long entry);
// Whether every keyed control has a key at the entry's frame.
inline bool EntryAll(long entry) { return (entry & 1) == 0; }

}  // namespace TimeMath
