// GlueJob: places glued anchor vertices where their member vertices go.
//
//   out[destination] = weight × (source[source index] × matrix)
//
// Pairs hold indices, checked against the arrays of this run. A pair whose
// source is missing (index past the member's positions, a deleted or
// non-finite position) or whose result is not finite puts its anchor vertex
// back at the rest position, so no NaN or infinity reaches a vertex. The job
// reads its inputs and writes only `out`; it owns nothing.
#pragma once

#include <cstdint>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"

struct GluePair {
  uint32_t source;       // member vertex
  uint32_t destination;  // anchor vertex
  float weight;
};

struct GlueJob {
  enum Fault {
    FAULT_NONE = 0,
    FAULT_NO_OUTPUT,  // out null with outCount above 0, or a negative count
    FAULT_NO_PAIRS,   // pairs null with pairCount above 0
    FAULT_NO_SOURCE,  // source null with sourceCount above 0
    FAULT_SHORT_REST, // rest null or shorter than the output
  };

  // Inputs.
  Frx::Pmatrix matrix = Frx::Pmatrix::id;
  const Frx::Pvector* source = nullptr;  // the member's positions
  int sourceCount = 0;
  const GluePair* pairs = nullptr;
  int pairCount = 0;
  const Frx::Pvector* rest = nullptr;  // the anchor's rest positions
  int restCount = 0;
  // Output: the anchor's positions.
  Frx::Pvector* out = nullptr;
  int outCount = 0;
  // After Run: pairs that put their vertex back at rest, and pairs whose
  // anchor vertex is past the output (left alone).
  int rested = 0;
  int skipped = 0;

  Fault Validate() const;
  // Validates, then places; false (and out untouched) when invalid.
  bool Run();
};
