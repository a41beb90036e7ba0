// The frame range a numbered-output command steps through, held to the
// engine's bound before any file is written.
#pragma once

// true when stepping from `first` to `end` takes at most
// VoIMotion::MaxOutputFrames frames (a range that ends before it starts
// always does). Otherwise shows why (OK box, also logged) and gives false.
bool CheckOutputRange(long first, long end);
