#include "plugins/Drapel/GlueJob.h"

#include <cfloat>
#include <cmath>

namespace {

inline bool Usable(const Frx::Pvector& p) {
  return std::fabs(p.x) < FLT_MAX && std::fabs(p.y) < FLT_MAX && std::fabs(p.z) < FLT_MAX;
}

}  // namespace

GlueJob::Fault GlueJob::Validate() const {
  if (outCount < 0 || (outCount > 0 && !out)) return FAULT_NO_OUTPUT;
  if (pairCount < 0 || (pairCount > 0 && !pairs)) return FAULT_NO_PAIRS;
  if (sourceCount < 0 || (sourceCount > 0 && !source)) return FAULT_NO_SOURCE;
  if (outCount > 0 && (!rest || restCount < outCount)) return FAULT_SHORT_REST;
  return FAULT_NONE;
}

bool GlueJob::Run() {
  rested = skipped = 0;
  if (Validate() != FAULT_NONE) return false;
  for (int i = 0; i < pairCount; ++i) {
    const GluePair& pair = pairs[i];
    if (pair.destination >= static_cast<uint32_t>(outCount)) {
      ++skipped;
      continue;
    }
    Frx::Pvector& to = out[pair.destination];
    if (pair.source < static_cast<uint32_t>(sourceCount) && Usable(source[pair.source])) {
      const Frx::Pvector p = (matrix * source[pair.source]) * pair.weight;
      if (Usable(p)) {
        to = p;
        continue;
      }
    }
    to = rest[pair.destination];
    ++rested;
  }
  return true;
}
