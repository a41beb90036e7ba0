#include "vocore/geometry/VoVertex.h"

VoVertex::VoVertex(const VoVertex* source) {
  if (!source) return;
  positions = source->positions;
  fix = source->fix;
}
