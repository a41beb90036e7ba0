#include "editor/timebar/KeyBar.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "editor/manip/draw/Colours.h"
#include "editor/manip/draw/OverlayBatch.h"
#include "editor/manip/draw/Primitives.h"
#include "editor/timebar/TimeLine.h"
#include "editor/timebar/TimeMath.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIMotion.h"

namespace {
// Marks this far outside the window are not drawn.
constexpr float kMargin = 16.0f;

unsigned KeyEdits() {
  TimeLine* timeLine = CurrentTimeLine();
  return timeLine ? timeLine->GetKeyEdits() : 0;
}
}  // namespace

KeyBar::KeyBar(VoIMotion* motion) : motion(motion) {}

long KeyBar::KeyFrame(int i) const {
  return i >= 0 && i < frames.size() ? TimeMath::EntryFrame(frames[i]) : 0;
}

uint64_t KeyBar::KeySignature() const {
  VoIMotion* m = motion.Get();
  if (!m) return 0;
  // Unsigned: a motion with many controls wraps the sum, which must not overflow.
  uint64_t sum = 0;
  for (VoIItem* c = m->GetFirstChild(); c; c = m->GetNextChild(c)) {
    VoIKeyControlBase* k = c->IsKeyControl();
    if (!k) continue;
    const int n = k->GetKeySize();
    sum = sum * 31 + static_cast<uint64_t>(n);
    if (n > 0)
      sum = sum * 31 + static_cast<uint64_t>(k->GetKeyFrame(0)) * 7 +
            static_cast<uint64_t>(k->GetKeyFrame(static_cast<unsigned>(n - 1)));
  }
  return sum;
}

void KeyBar::Rebuild() {
  VoIMotion* m = motion.Get();
  if (m) {
    m->MakeFrameTable(frames);
    endFrame = m->endframe;
  } else {
    frames.clear();
  }
  signature_ = KeySignature();
  edits_ = KeyEdits();
  PlaceMarks();
}

bool KeyBar::ScrollHit(float x, float y) const {
  return std::fabs(x - (left + width / 2.0f)) <= width / 2.0f && std::fabs(y - (top + 16.0f)) <= 16.0f;
}

void KeyBar::SetEndFrame(long frame) {
  endFrame = frame;
  if (VoIMotion* m = motion.Get()) m->SetEndFrame(frame);
}

bool KeyBar::KeyExists(long frame) {
  VoIMotion* m = motion.Get();
  return m && m->ExistKeyframe(frame) != VoIMotion::KEY_NONE;
}

void KeyBar::CopyKeys(long to, long from) {
  if (VoIMotion* m = motion.Get()) m->CopyKeyframe(to, from);
}

void KeyBar::MoveKeys(long to, long from) {
  if (VoIMotion* m = motion.Get()) m->TransKeyframe(to, from);
}

void KeyBar::DeleteKeys(long frame) {
  if (VoIMotion* m = motion.Get()) m->DeleteKeyframe(frame);
}

void KeyBar::Draw(Canvas& canvas) {
  VoIMotion* m = motion.Get();
  if (!m || !canvas.draw.device) return;
  if (signature_ != KeySignature() || edits_ != KeyEdits() || endFrame != m->endframe) Rebuild();
  Frx::Draw::PDraw& draw = canvas.draw;
  DrawBarBox(canvas, left, top, width, 0.85f, 0.9f, 0.9f, m->endframe, scroll, pixelsPerFrame, false, true);
  draw.Printf2(10, static_cast<int>(top), 0, 0xFF646478, "%s\n", m->GetFullName(nullptr).Get());
  const float now = TimeMath::FrameX(m->GetFrame(), scroll, pixelsPerFrame, left);
  draw.Printf2(static_cast<int>(now) + 20, static_cast<int>(top) + 16, 0, 0xFF646478, "%03.2f\n",
               static_cast<double>(m->GetFrame()));
  DrawMarkBox(canvas, now, top, 32.0f, 0.7f, 0.5f, 1.0f);
  std::vector<VoIControlBool*> flags;
  for (VoIItem* c = m->GetFirstChild(); c; c = m->GetNextChild(c))
    if (VoIControlBool* b = c->IsControlBool(); b && std::strcmp(b->GetName(), "dummy") != 0) flags.push_back(b);
  // Only the marks in the window, as one sprite list.
  const uint32_t plain = ColourFromFractions(0.9f, 0.5f, 0.4f), flag = ColourFromFractions(0.5f, 0.5f, 0.9f);
  const Frx::Prect uv{80.0f / 256.0f, 144.0f / 256.0f, 96.0f / 256.0f, 160.0f / 256.0f};
  OverlayBatch marks;
  const auto [first, last] = KeysBetween(-kMargin, width + kMargin);
  for (int i = first; i < last; ++i) {
    const long frame = KeyFrame(i);
    const float x = FrameX(frame);
    if (x < -kMargin || x > width + kMargin) continue;
    bool flagged = false;
    for (VoIControlBool* b : flags) flagged = flagged || b->GetKeyRecord(frame) != nullptr;
    marks.AddSprite(draw, Frx::Draw::BLEND_ALPHA, canvas.handles, x - 8.0f, top + 8.0f, 16.0f, 16.0f, uv,
                    flagged ? flag : plain);
  }
  marks.Flush(draw);
  const float end = FrameX(m->endframe);
  DrawMarkBox(canvas, end, top, 32.0f, 1.0f, 0.5f, 0.7f);
  DrawIconSprite(canvas, end, top + 7.0f, 48, 144, 1.0f, 0.5f, 0.7f);
  if (selectedKey != -1) DrawIconSprite(canvas, FrameX(dragFrame), top + 16.0f, 80, 144, 1.0f, 1.0f, 0.9f);
  if (pressedKey >= 0 && pressedKey < frames.size())
    DrawIconSprite(canvas, FrameX(KeyFrame(pressedKey)), top + 16.0f, 80, 144, 0.85f, 0.9f, 0.9f);
}
