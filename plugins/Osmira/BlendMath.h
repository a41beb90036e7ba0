// The quotients of the anchor analysis, guarded where they would be 0/0.
#pragma once

namespace Osmira {

// a / (a + b) in double (so two largest floats do not overflow); one half
// when both are 0.
inline double Share(double a, double b) {
  const double sum = a + b;
  return sum > 0.0 ? a / sum : 0.5;
}

// A blend value b leaned towards the joint ratio j:
// (1 − j) b / ((1 − j) b + j (1 − b)); b as it is where that is 0/0.
inline double Remap(double b, double j) {
  const double kept = (1.0 - j) * b, given = j * (1.0 - b);
  return kept + given > 0.0 ? kept / (kept + given) : b;
}

}  // namespace Osmira
