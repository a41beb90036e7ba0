#include "editor/manip/ReadOut.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "editor/manip/HandleLayout.h"

namespace {

// Whole degrees within (-360, 360): wild angles must not overflow the format.
int WholeDegrees(float degrees) {
  if (!std::isfinite(degrees)) return 0;
  return static_cast<int>(std::fmod(std::trunc(degrees), 360.0f));
}

}  // namespace

ReadOut LayoutReadOut(const char* className, const char* name, const Frx::Pvector& projected, int mask,
                      const Frx::Pvector& position, const Frx::Pquaternion& rotation) {
  ReadOut out;
  out.text = std::string(className ? className : "") + ":" + (name ? name : "") + "\n";
  const int characters = static_cast<int>(out.text.size());
  out.x = projected.x + 92.0f - 4.0f;
  out.y = projected.y - 4.0f;
  out.width = static_cast<float>(std::max(48, 8 * characters - 8) + 8);
  float height = 16.0f;
  char line[256];
  if (mask & Handle::Translate) {
    height = 64.0f;
    std::snprintf(line, sizeof line, "WX:%+6.0f\nWY:%+6.0f\nWZ:%+6.0f\n", position.x, position.y, position.z);
    out.text += line;
  }
  if (mask & Handle::Rotate) {
    height += 48.0f;
    const Frx::Pvector e = rotation.GetEulerZYX();
    std::snprintf(line, sizeof line, "P:%+5d\nH:%+5d\nB:%+5d\n", WholeDegrees(e.y), WholeDegrees(e.x),
                  WholeDegrees(e.z));
    out.text += line;
  }
  out.height = height + 8.0f;
  return out;
}
