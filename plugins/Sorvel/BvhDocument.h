// BvhDocument: a BVH file as plain records, with no engine items. The parser
// fills it, the builder turns it into a skeleton and a motion. One import owns
// one document.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "plugins/frame/ReadSkips.h"

namespace Bvh {

// A ROOT or JOINT (with channels) or an End Site (without).
struct Node {
  enum Kind : uint8_t { JOINT = 0, END_SITE = 1 };
  Kind kind = JOINT;
  int parent = -1;  // node index of the joint above; -1 for a ROOT
  std::string name;  // empty for an End Site
  Frx::Pvector offset{0.0f, 0.0f, 0.0f};
  // Joints only. The rotation order as a code of 4-bit fields, first channel
  // in the lowest (1 X, 2 Y, 3 Z): "Zrotation Yrotation Xrotation" is 0x123.
  uint16_t order = 0;
  // Where the joint's values sit in a frame: the X, Y and Z position values
  // (-1 without position channels) and the rotation values in channel order.
  int position = -1;
  int rotation[3] = {0, 0, 0};
};

struct Document {
  std::vector<Node> nodes;  // file order: every parent before its children
  int channels = 0;         // values in one frame
  int frames = 0;
  float frameTime = 0.0f;   // read and ignored: a frame is always two engine frames
  std::vector<float> values;  // frames * channels, frame after frame
  // What the reader passed over in a text it took.
  ReadSkips skipped;

  const float* Frame(int i) const { return values.data() + size_t(i) * size_t(channels); }
};

}  // namespace Bvh
