#include "editor/timebar/KeyRow.h"

#include <cmath>

#include "editor/manip/draw/Colours.h"
#include "editor/manip/draw/OverlayBatch.h"
#include "editor/manip/draw/Primitives.h"
#include "editor/timebar/TimeMath.h"
#include "vocore/motion/VoIKeyControl.h"
#include "vocore/motion/VoIMotion.h"

namespace {
constexpr float kMargin = 16.0f;
}  // namespace

KeyRow::KeyRow(VoIKeyControlBase* control) : control(control) {}

long KeyRow::KeyFrame(int i) const { return i >= 0 && i < frames.size() ? frames[i] : 0; }

void KeyRow::Rebuild() {
  if (VoIKeyControlBase* k = control.Get())
    k->MakeKeyFrameTable(frames);
  else
    frames.clear();
  PlaceMarksWith([this](int i) { return frames[i]; });
}

bool KeyRow::ScrollHit(float x, float y) const {
  return std::fabs(x - (left + width / 2.0f)) <= width / 2.0f && std::fabs(y - (top + 8.0f)) <= 12.0f;
}

bool KeyRow::KeyExists(long frame) {
  VoIKeyControlBase* k = control.Get();
  return k && k->GetKeyRecord(frame) != nullptr;
}

void KeyRow::CopyKeys(long to, long from) {
  if (VoIKeyControlBase* k = control.Get()) k->CopyKey(to, from);
}

void KeyRow::MoveKeys(long to, long from) {
  if (VoIKeyControlBase* k = control.Get()) k->TransKey(to, from);
}

void KeyRow::DeleteKeys(long frame) {
  if (VoIKeyControlBase* k = control.Get()) k->DeleteKey(frame);
}

void KeyRow::Draw(Canvas& canvas) {
  VoIKeyControlBase* k = control.Get();
  if (!k || !canvas.draw.device) return;
  Rebuild();
  DrawBarBox(canvas, left, top, width, 0.9f, 0.9f, 0.85f, endFrame, scroll, pixelsPerFrame, true, true);
  canvas.draw.Printf2(10, static_cast<int>(top), 0, 0xFF787864, "%s", k->GetNameEx().Get());
  VoIBranch* parent = k->GetParent();
  if (VoIMotion* motion = parent ? parent->IsMotion() : nullptr)
    DrawMarkBox(canvas, TimeMath::FrameX(motion->GetFrame(), scroll, pixelsPerFrame, left), top, 16.0f, 0.7f,
                0.5f, 1.0f);
  const uint32_t colour = ColourFromFractions(0.9f, 0.5f, 0.4f);
  const Frx::Prect uv{80.0f / 256.0f, 160.0f / 256.0f, 96.0f / 256.0f, 176.0f / 256.0f};
  OverlayBatch marks;
  const auto [first, last] = KeysBetween(-kMargin, width + kMargin);
  for (int i = first; i < last; ++i) {
    const float x = FrameX(frames[i]);
    if (x < -kMargin || x > width + kMargin) continue;
    marks.AddSprite(canvas.draw, Frx::Draw::BLEND_ALPHA, canvas.handles, x - 8.0f, top, 16.0f, 16.0f, uv, colour);
  }
  marks.Flush(canvas.draw);
  if (selectedKey != -1) DrawIconSprite(canvas, FrameX(dragFrame), top + 8.0f, 80, 160, 1.0f, 1.0f, 0.9f);
  if (pressedKey >= 0 && pressedKey < frames.size())
    DrawIconSprite(canvas, FrameX(frames[pressedKey]), top + 8.0f, 80, 160, 0.9f, 0.9f, 0.85f);
}
