#include "plugins/Rastel/SerialAsker.h"

#include <algorithm>

namespace {

unsigned Clamp(unsigned v, unsigned low, unsigned high) { return std::min(std::max(v, low), high); }

}  // namespace

void ClampToRanges(SerialBmpAnswers& a) {
  a.step = Clamp(a.step, SerialStepMin, SerialStepMax);
  a.height = Clamp(a.height, SerialSizeMin, SerialSizeMax);
  a.width = Clamp(a.width, SerialSizeMin, SerialSizeMax);
  if (a.sizeMode < 0 || a.sizeMode > 2) a.sizeMode = 0;
}

void ClampToRanges(SerialMqoAnswers& a) { a.step = Clamp(a.step, SerialStepMin, SerialStepMax); }

bool SerialAsker::AskBmp(SerialBmpAnswers&) { return true; }
bool SerialAsker::AskMqo(SerialMqoAnswers&) { return true; }

SerialAsker& InitialValuesAsker() {
  static SerialAsker asker;
  return asker;
}
