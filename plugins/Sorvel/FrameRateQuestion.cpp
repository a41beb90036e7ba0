#include "plugins/Sorvel/FrameRateQuestion.h"

namespace Bvh {

namespace {

FrameRateQuestion* installed = nullptr;

}  // namespace

FrameRateQuestion* SetFrameRateQuestion(FrameRateQuestion* question) {
  FrameRateQuestion* previous = installed;
  installed = question;
  return previous;
}

bool AskFrameRate(float& fps) { return installed ? installed->Ask(fps) : true; }

}  // namespace Bvh
