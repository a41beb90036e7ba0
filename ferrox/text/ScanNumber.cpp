#include "ferrox/text/ScanNumber.h"

#include <charconv>
#include <climits>
#include <limits>

namespace Frx::ScanNumber {

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Skips white space and a sign; returns whether the sign was "-".
const unsigned char* SkipSign(const unsigned char* p, bool& negative) {
  while (IsSpace(*p)) ++p;
  negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  return p;
}

}  // namespace

int ParseInt(const unsigned char* text) {
  bool negative = false;
  const unsigned char* p = SkipSign(text, negative);
  // One past INT_MAX, so INT_MIN is still reachable.
  const long long limit = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; IsDigit(*p); ++p) {
    value = value * 10 + (*p - '0');
    if (value > limit) value = limit;
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

float ParseFloat(const unsigned char* text) {
  bool negative = false;
  const unsigned char* start = SkipSign(text, negative);
  const unsigned char* end = start;
  bool integral = false;  // a non-zero digit before the point
  while (IsDigit(*end)) integral |= *end++ != '0';
  if (*end == '.') {
    ++end;
    while (IsDigit(*end)) ++end;
  }
  float value = 0.0f;
  const auto* first = reinterpret_cast<const char*>(start);
  const auto* last = reinterpret_cast<const char*>(end);
  const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range)
    value = integral ? std::numeric_limits<float>::infinity() : 0.0f;
  else if (result.ec != std::errc())
    return 0.0f;  // no digits: no sign either
  return negative ? -value : value;
}

const unsigned char* Skip(const unsigned char* text, bool fraction) {
  while (IsDigit(*text) || *text == '-' || (fraction && *text == '.')) ++text;
  return text;
}

bool HasDigits(const unsigned char* text, bool fraction) {
  bool negative = false;
  const unsigned char* p = SkipSign(text, negative);
  if (fraction && *p == '.') ++p;
  return IsDigit(*p);
}

}  // namespace Frx::ScanNumber
