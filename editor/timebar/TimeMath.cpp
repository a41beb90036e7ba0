#include "editor/timebar/TimeMath.h"

#include <algorithm>
#include <cmath>

#include "vocore/motion/VoIMotion.h"

namespace TimeMath {

namespace {
// Window coordinates beyond this are clamped before they become integers.
constexpr double kFar = 1.0e9;
}  // namespace

long FrameAt(float x, int scroll, int pixelsPerFrame) {
  if (pixelsPerFrame <= 0 || !std::isfinite(x)) return 0;
  const long column = static_cast<long>(std::clamp(std::trunc(static_cast<double>(x)), -kFar, kFar));
  return (column + scroll + pixelsPerFrame / 2) / pixelsPerFrame;
}

float FrameX(float frame, int scroll, int pixelsPerFrame, float left) {
  const double whole = std::isfinite(frame) ? std::trunc(static_cast<double>(frame)) : 0.0;
  return static_cast<float>(whole * pixelsPerFrame - scroll + left);
}

float DisplayedFrame(float current, VoIMotion* motion) {
  if (!motion) return current;
  const long end = motion->endframe;
  if (!(static_cast<float>(end) < current)) return current;
  if (end <= 0) return 0.0f;
  const double whole = std::trunc(static_cast<double>(current));
  const double wrapped = std::fmod(whole, static_cast<double>(end));
  return static_cast<float>(static_cast<double>(current) - whole + wrapped);
}

long EntryFrame(long entry) { return entry >= 0 ? entry / 2 : -((-entry + 1) / 2); }

}  // namespace TimeMath
