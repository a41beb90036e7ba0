// Where a frame falls among the keys of a control: the four keys around it,
// already wrapped (looping motion) or clamped, and the position in the span.
#pragma once

class VoIKeyControlBase;

struct VoKeySpan {
  int prev;   // key i - 1
  int from;   // key i: the span starts here
  int to;     // key i + 1
  int next;   // key i + 2
  float s;    // 0 at `from`, 1 at `to`
  bool hold;  // the span has no length: the value is the key at `from`
};

// Needs at least one key. The loop flag and end frame come from the parent
// motion; a control outside a motion neither loops nor wraps. A span that
// wraps to a zero length (a key on the end frame of a looping motion) holds
// its key instead of dividing by zero.
VoKeySpan VoFindKeySpan(VoIKeyControlBase& control, float x);
