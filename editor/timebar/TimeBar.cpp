#include "editor/timebar/TimeBar.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/draw/Primitives.h"
#include "editor/timebar/TimeMath.h"
#include "vocore/scene/VoICharacter.h"

TimeBar::TimeBar(TimeLine* document) : ItemGui(nullptr), document(document) {}

TimeBar::~TimeBar() = default;

void TimeBar::Refresh() {
  CompanionContext* context = Companion::Context();
  Frx::Draw::PDraw* draw = context ? context->GetDraw() : nullptr;
  const float surfaceWidth = draw ? static_cast<float>(draw->screenWidth) : 0.0f;
  const float surfaceHeight = draw ? static_cast<float>(draw->screenHeight) : 0.0f;
  left = 0.0f;
  top = surfaceHeight - 16.0f;
  width = surfaceWidth;
  height = 16.0f;
  if (document) {
    timeScroll = document->GetTimeScroll();
    pixelsPerFrame = document->GetPixelsPerFrame();
    VoICharacter* current = document->GetCurrentCharacter();
    displayedFrame = TimeMath::DisplayedFrame(document->GetCurrentFrame(), current ? current->GetMotion() : nullptr);
  }
  markerX = TimeMath::FrameX(displayedFrame, timeScroll, pixelsPerFrame, 0.0f);
  markerY = top + 6.0f;
}

float TimeBar::HitTest(float x, float y, int) {
  if (std::fabs(x - (left + width / 2.0f)) <= width / 2.0f && std::fabs(y - (top + height / 2.0f)) <= height / 2.0f)
    return 0.0f;
  return NoHit;
}

void TimeBar::Drag(MouseRecord r) {
  Refresh();
  if (r.LeftPressed()) {
    drags.clear();
    if (std::fabs(r.x - markerX) <= 6.0f && std::fabs(r.y - markerY) <= 6.0f) {
      drags.push_back(&markerTarget);
    } else if (HitTest(r.x, r.y, 0) != NoHit) {
      drags.push_back(&scrollTarget);
      lastX = r.x, lastY = r.y, lastButtons = r.buttons;
    }
  }
  if (!(r.buttons & MouseRecord::LeftDown) || !document) return;
  for (GuiTarget* target : drags) {
    if (target == &scrollTarget) {
      // The ruler follows the pointer.
      const double scrolled = std::trunc(static_cast<double>(document->GetTimeScroll()) - (r.x - lastX));
      document->SetTimeScroll(static_cast<int>(std::clamp(scrolled, -1.0e9, 1.0e9)));
      lastX = r.x, lastY = r.y, lastButtons = r.buttons;
    } else if (target == &markerTarget) {
      const long frame = TimeMath::FrameAt(r.x, document->GetTimeScroll(), document->GetPixelsPerFrame());
      document->SetCurrentFrame(static_cast<float>(std::max(0L, frame)));
    }
  }
}

void TimeBar::Draw() {
  Refresh();
  std::optional<Canvas> canvas = Companion::CurrentCanvas();
  if (!canvas) return;
  DrawRuler(*canvas, left, top, width, 0.85f, 0.9f, 0.85f, timeScroll, pixelsPerFrame);
  canvas->draw.SetRenderStateBlend(Frx::Draw::BLEND_ALPHA);
  DrawIconSprite(*canvas, markerX + left, top + 4.0f, 64, 144, 0.7f, 0.9f, 1.0f);
}
