#include "plugins/Rastel/FrameRange.h"

#include <algorithm>
#include <climits>

#include "plugins/frame/PluginFrame.h"
#include "vocore/motion/VoIMotion.h"

namespace {

// Frames print as int.
int PrintedFrame(long frame) { return int(std::clamp<long>(frame, INT_MIN, INT_MAX)); }

}  // namespace

bool CheckOutputRange(long first, long end) {
  // The difference taken unsigned cannot overflow.
  if (end <= first || static_cast<unsigned long>(end) - static_cast<unsigned long>(first) <=
                          static_cast<unsigned long>(VoIMotion::MaxOutputFrames))
    return true;
  ShowMessage(0, "出力するフレームの範囲が長すぎます。(%d～%d)\n一度に出力できるのは %d フレームまでです。\n",
              PrintedFrame(first), PrintedFrame(end), int(VoIMotion::MaxOutputFrames));
  return false;
}
