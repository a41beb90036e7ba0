#include "editor/timebar/KeyStrip.h"

#include <algorithm>
#include <cmath>

#include "editor/manip/NoHit.h"
#include "editor/timebar/TimeLine.h"
#include "editor/timebar/TimeMath.h"

namespace {

void SetCurrentFrame(long frame) {
  if (TimeLine* timeLine = CurrentTimeLine()) timeLine->SetCurrentFrame(static_cast<float>(frame));
}

}  // namespace

float KeyStrip::HitTest(float x, float y, float left, float top, float width, float height) {
  if (std::fabs(x - (left + width / 2.0f)) <= width / 2.0f && std::fabs(y - (top + height / 2.0f)) <= height / 2.0f)
    return 0.0f;
  return NoHit;
}

long KeyStrip::FrameUnder(float x) const { return TimeMath::FrameAt(x, scroll, pixelsPerFrame); }

std::pair<int, int> KeyStrip::KeysBetween(float lo, float hi) const {
  const int n = frames.size();
  if (!inFrameOrder_ || n != static_cast<int>(marks.size()) || pixelsPerFrame < 0) return {0, n};
  // x grows with the frame: the first key at or past lo, then the first past hi.
  auto firstWhere = [&](auto past) {
    int from = 0, to = n;
    while (from < to) {
      const int mid = from + (to - from) / 2;
      if (past(FrameX(KeyFrame(mid))))
        to = mid;
      else
        from = mid + 1;
    }
    return from;
  };
  const int first = firstWhere([&](float x) { return !(x < lo); });
  const int end = firstWhere([&](float x) { return x > hi; });
  return {first, std::max(first, end)};
}

void KeyStrip::Press(const MouseRecord& r) {
  drags_.clear();
  if (HasEndMark() && std::fabs(r.x - endMark.x) <= 6.0f && std::fabs(r.y - endMark.y) <= 6.0f) {
    drags_.push_back({Grip::EndMark, -1});
    return;
  }
  const float half = static_cast<float>(pixelsPerFrame / 2);
  for (size_t i = 0; i < marks.size(); ++i) {
    if (std::fabs(r.x - marks[i].x) <= half && std::fabs(r.y - marks[i].y) <= 5.0f) {
      drags_.push_back({Grip::Key, static_cast<int>(i)});
      pressedKey = static_cast<int>(i);
      pressedFrame_ = KeyFrame(pressedKey);
    }
  }
  if (!drags_.empty()) return;
  if (ScrollHit(r.x, r.y)) drags_.push_back({Grip::Scroll, -1});
}

void KeyStrip::Release(const MouseRecord& r) {
  // The key's frame from the press: the table may have changed since.
  const long from = pressedFrame_;
  pressedKey = -1;
  // Every strip of the motion shows what this one changes.
  TimeLine* timeLine = CurrentTimeLine();
  if (timeLine) timeLine->CountKeyEdit();
  if (r.y < top - 8.0f) {
    DeleteKeys(from);
    return;
  }
  const long to = FrameUnder(r.x);
  if (to == from) {
    SetCurrentFrame(to);
    return;
  }
  if (to < 0) return;
  if (KeyExists(to) && !(timeLine && timeLine->Confirm("移動先のフレームにはキーが存在します。上書きしますか？\n")))
    return;
  if (r.buttons & MouseRecord::ShiftDown)
    CopyKeys(to, from);
  else
    MoveKeys(to, from);
}

void KeyStrip::Drag(const MouseRecord& r) {
  Rebuild();
  selectedKey = -1;
  const bool rightPress =
      (r.buttons & (MouseRecord::RightChanged | MouseRecord::RightDown)) == (MouseRecord::RightChanged | MouseRecord::RightDown);
  if (rightPress) {
    drags_.clear();
    pressedKey = -1;
  }
  if (r.LeftPressed()) Press(r);
  const bool leftDown = (r.buttons & MouseRecord::LeftDown) != 0;
  for (const Entry& e : drags_) {
    switch (e.grip) {
      case Grip::Scroll:
        if (leftDown) SetCurrentFrame(std::max(0L, FrameUnder(r.x)));
        break;
      case Grip::EndMark:
        if (leftDown) {
          // A motion never gets a negative length.
          SetEndFrame(std::max(0L, FrameUnder(r.x)));
          PlaceMarks();
        }
        break;
      case Grip::Key:
        if (e.key != pressedKey || pressedKey < 0 || pressedKey >= KeyCount()) break;
        if (leftDown) {
          selectedKey = pressedKey;
          dragFrame = FrameUnder(r.x);
          SetCurrentFrame(std::max(0L, dragFrame));
        } else if (r.LeftReleased()) {
          Release(r);
        }
        break;
    }
  }
}
