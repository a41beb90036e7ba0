// BlendJob: one update's blend of morph targets into a mesh's positions.
//
//   out[j] = sum over targets t of weight(t) × position(t, j)
//
// A target shorter than the output, or with a position that is deleted or
// not finite, contributes the rest position instead at those vertices; an
// output vertex deleted in the rest shape stays deleted; a sum that is not
// finite falls back to the rest position. So no NaN or infinity reaches a
// vertex. The job reads its inputs and writes only `out`; it owns nothing.
#pragma once

#include "ferrox/math/Pvector.h"

struct BlendJob {
  struct Target {
    const Frx::Pvector* positions = nullptr;  // may be null when count is 0
    int count = 0;
    float weight = 0.0f;
  };

  enum Fault {
    FAULT_NONE = 0,
    FAULT_NO_OUTPUT,    // out is null while outCount is above 0, or outCount < 0
    FAULT_SHORT_REST,   // rest is null or holds fewer than outCount positions
    FAULT_BAD_TARGET,   // targets null with targetCount > 0, a negative count, or
                        // a null position array with a count above 0
    FAULT_BAD_WEIGHT,   // a weight that is not finite
  };

  // Inputs.
  const Frx::Pvector* rest = nullptr;
  int restCount = 0;
  const Target* targets = nullptr;
  int targetCount = 0;
  // Output.
  Frx::Pvector* out = nullptr;
  int outCount = 0;
  // After Run: vertices that took the rest position because a sum was not finite.
  int repaired = 0;

  Fault Validate() const;
  // Validates, then blends; false (and out untouched) when invalid.
  bool Run();

 private:
  // The plain sum; false when an input was unusable or the sum could
  // overflow, and the careful pass must run instead.
  bool BlendFast();
  void BlendCarefully();
};
