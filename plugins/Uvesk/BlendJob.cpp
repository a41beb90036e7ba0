#include "plugins/Uvesk/BlendJob.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <cfloat>
#include <cmath>

#include "vocore/geometry/VoVertex.h"

namespace {

// Finite and short of the float limit on every axis: deleted positions
// (all three at the limit) and NaN both fail.
inline bool Usable(const Frx::Pvector& p) {
  return std::fabs(p.x) < FLT_MAX && std::fabs(p.y) < FLT_MAX && std::fabs(p.z) < FLT_MAX;
}

inline bool Finite(const Frx::Pvector& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

BlendJob::Fault BlendJob::Validate() const {
  if (outCount < 0 || (outCount > 0 && !out)) return FAULT_NO_OUTPUT;
  if (outCount > 0 && (!rest || restCount < outCount)) return FAULT_SHORT_REST;
  if (targetCount < 0 || (targetCount > 0 && !targets)) return FAULT_BAD_TARGET;
  for (int t = 0; t < targetCount; ++t) {
    if (targets[t].count < 0 || (targets[t].count > 0 && !targets[t].positions)) return FAULT_BAD_TARGET;
    if (!std::isfinite(targets[t].weight)) return FAULT_BAD_WEIGHT;
  }
  return FAULT_NONE;
}

bool BlendJob::Run() {
  repaired = 0;
  if (Validate() != FAULT_NONE) return false;
  if (!BlendFast()) BlendCarefully();
  return true;
}

namespace {

// Four floats at a time with the compiler's vector types (SSE2 on x86-64),
// so the blend runs at the speed of a plain sum whatever the optimiser's
// cost model. Magnitudes are compared as the bits of absolute values, which
// order like the values: at or above the float limit's bits a float is part
// of a deleted position, an infinity or a NaN.
using F4 = float __attribute__((vector_size(16)));
using I4 = int32_t __attribute__((vector_size(16)));
constexpr int32_t LimitBits = 0x7F7FFFFF;  // FLT_MAX
constexpr int32_t MagnitudeMask = 0x7FFFFFFF;

inline int32_t Magnitude(float f) { return std::bit_cast<int32_t>(f) & MagnitudeMask; }

int32_t Largest(I4 v) { return std::max(std::max(v[0], v[1]), std::max(v[2], v[3])); }

// The largest magnitude among count floats, as bits.
int32_t LargestBits(const float* in, size_t count) {
  I4 largest = {0, 0, 0, 0};
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    I4 bits;
    std::memcpy(&bits, in + i, sizeof bits);
    bits &= MagnitudeMask;
    largest = bits > largest ? bits : largest;
  }
  int32_t result = Largest(largest);
  for (; i < count; ++i) result = std::max(result, Magnitude(in[i]));
  return result;
}

// out[i] += w × in[i] over count floats; the largest magnitude of in, as bits.
int32_t AddScaled(float* out, const float* in, float w, size_t count) {
  I4 largest = {0, 0, 0, 0};
  const F4 weight = {w, w, w, w};
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    F4 sum, add;
    std::memcpy(&sum, out + i, sizeof sum);
    std::memcpy(&add, in + i, sizeof add);
    sum += weight * add;
    std::memcpy(out + i, &sum, sizeof sum);
    I4 bits;
    std::memcpy(&bits, &add, sizeof bits);
    bits &= MagnitudeMask;
    largest = bits > largest ? bits : largest;
  }
  int32_t result = Largest(largest);
  for (; i < count; ++i) {
    out[i] += w * in[i];
    result = std::max(result, Magnitude(in[i]));
  }
  return result;
}

}  // namespace

bool BlendJob::BlendFast() {
  // A plain weighted sum over the floats that notes on the way whether any
  // input was unusable and how large the sum could grow; either sends the
  // blend to the careful pass.
  static_assert(sizeof(Frx::Pvector) == 3 * sizeof(float));
  const size_t n = size_t(outCount);
  if (n == 0) return true;
  float* sum = &out[0].x;
  const int32_t restBits = LargestBits(&rest[0].x, 3 * n);
  if (restBits >= LimitBits) return false;
  std::memset(sum, 0, 3 * n * sizeof(float));
  double bound = 0.0;
  for (int t = 0; t < targetCount; ++t) {
    const Target& target = targets[t];
    const size_t shared = size_t(target.count) < n ? size_t(target.count) : n;
    int32_t bits = shared ? AddScaled(sum, &target.positions[0].x, target.weight, 3 * shared) : 0;
    // Vertices the target lacks keep the rest shape's share.
    if (shared < n) bits = std::max(bits, AddScaled(sum + 3 * shared, &rest[shared].x, target.weight, 3 * (n - shared)));
    if (bits >= LimitBits) return false;
    bound += std::fabs(double(target.weight)) * double(std::bit_cast<float>(bits));
  }
  return bound < 0.5 * double(FLT_MAX);
}

void BlendJob::BlendCarefully() {
  const int n = outCount;
  for (int j = 0; j < n; ++j) out[j] = Frx::Pvector(0.0f, 0.0f, 0.0f);
  for (int t = 0; t < targetCount; ++t) {
    const Target& target = targets[t];
    const float w = target.weight;
    const int shared = target.count < n ? target.count : n;
    const Frx::Pvector* src = target.positions;
    for (int j = 0; j < shared; ++j) {
      const Frx::Pvector& p = Usable(src[j]) ? src[j] : rest[j];
      out[j].x += w * p.x;
      out[j].y += w * p.y;
      out[j].z += w * p.z;
    }
    // Vertices the target lacks keep the rest shape's share.
    for (int j = shared; j < n; ++j) {
      out[j].x += w * rest[j].x;
      out[j].y += w * rest[j].y;
      out[j].z += w * rest[j].z;
    }
  }
  for (int j = 0; j < n; ++j) {
    if (VoVertex::IsDeleted(rest[j])) {
      out[j] = rest[j];
    } else if (!Finite(out[j])) {
      out[j] = Finite(rest[j]) ? rest[j] : Frx::Pvector(0.0f, 0.0f, 0.0f);
      ++repaired;
    }
  }
}
