// KvmDocument: a motion file as plain records, with no engine items. The
// reader fills it from the text, the builder turns it into motions and
// controls, and the writer's tests read it back. One import owns one document.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "plugins/frame/ReadSkips.h"

namespace Kvm {

// The control blocks, by the class id of the control they make.
enum class ControlKind : unsigned long { VECTOR = 99, QUATERNION = 100, STRING = 101, REFER = 102, TIME = 112 };

// A key of a Vector (x, y, z), Quaternion (x, y, z, w) or Time (value) block.
struct NumberKey {
  long frame = 0;
  float v[4] = {0, 0, 0, 0};
};

// A key of a String or Refer block.
struct TextKey {
  long frame = 0;
  std::string text;
};

// A "member" line with the class name read before it (empty when none was).
struct Binding {
  std::string className;
  std::string member;
};

struct Control {
  ControlKind kind = ControlKind::VECTOR;
  std::string name;
  // Applied in order, as the lines bind the control one after the other.
  std::vector<Binding> bindings;
  long endframe = 0;
  int curve = 0;
  // Sorted by frame, one key per frame (the file's last line for it).
  std::vector<NumberKey> numbers;
  std::vector<TextKey> texts;
};

struct Motion;

// A child of a motion in file order: a control or a nested motion.
struct Child {
  Control control;
  std::unique_ptr<Motion> motion;  // set for a nested motion
};

struct Motion {
  std::string name;
  long endframe = 0;
  int loop = 0;
  std::vector<Child> children;
};

struct Document {
  int version = 0;
  std::vector<Motion> motions;
  // What the reader passed over in a file it took.
  ReadSkips skipped;
};

// Sorts keys by frame and keeps, of keys sharing a frame, the one that came
// last: what setting them one by one (replace or add, then sort) leaves.
// n log n whatever the order they came in.
template <class Key>
void SettleKeys(std::vector<Key>& keys) {
  auto before = [](const Key& a, const Key& b) { return a.frame < b.frame; };
  auto strictly = [](const Key& a, const Key& b) { return a.frame >= b.frame; };
  if (std::adjacent_find(keys.begin(), keys.end(), strictly) == keys.end()) return;
  std::stable_sort(keys.begin(), keys.end(), before);
  size_t kept = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (kept > 0 && keys[kept - 1].frame == keys[i].frame)
      keys[kept - 1] = std::move(keys[i]);
    else if (kept != i)
      keys[kept++] = std::move(keys[i]);
    else
      ++kept;
  }
  keys.resize(kept);
}

}  // namespace Kvm
