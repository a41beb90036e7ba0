#include "vocore/diblib/MedianCut.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Colour {
  uint8_t c[3];  // red, green, blue
  uint32_t count;
};

struct Box {
  std::vector<Colour> colours;  // the distinct colours it holds
  uint8_t min[3];
  uint8_t extent[3];
  uint32_t pixels;
  int node;  // its leaf in the decision tree
};

struct Node {
  int channel = -1;  // -1: leaf
  int threshold = 0;
  int left = -1, right = -1;
  int index = 0;  // palette index of a leaf
};

void Shrink(Box& box) {
  uint8_t lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  box.pixels = 0;
  for (const Colour& colour : box.colours) {
    for (int ch = 0; ch < 3; ++ch) {
      lo[ch] = std::min(lo[ch], colour.c[ch]);
      hi[ch] = std::max(hi[ch], colour.c[ch]);
    }
    box.pixels += colour.count;
  }
  for (int ch = 0; ch < 3; ++ch) {
    box.min[ch] = lo[ch];
    box.extent[ch] = uint8_t(hi[ch] - lo[ch]);
  }
}

int LongestChannel(const Box& box) {
  int best = 0;  // ties keep red before green before blue
  for (int ch = 1; ch < 3; ++ch)
    if (box.extent[ch] > box.extent[best]) best = ch;
  return best;
}

int BitLength(uint32_t n) {
  int bits = 0;
  for (; n; n >>= 1) ++bits;
  return bits;
}

}  // namespace

int MedianCut(const uint8_t* bgr, size_t pixelCount, int colours, DibRgbQuad* palette,
              uint8_t* indices) {
  if (colours < 1) colours = 1;
  if (colours > 256) colours = 256;
  std::memset(palette, 0, sizeof(DibRgbQuad) * size_t(colours));
  if (pixelCount == 0) return 0;

  // Count the distinct colours, bucketed by the top 4 bits of each channel.
  std::vector<std::vector<Colour>> buckets(4096);
  for (size_t i = 0; i < pixelCount; ++i) {
    uint8_t r = bgr[i * 3 + 2], g = bgr[i * 3 + 1], b = bgr[i * 3];
    auto& bucket = buckets[(r >> 4) << 8 | (g >> 4) << 4 | (b >> 4)];
    auto found = std::find_if(bucket.begin(), bucket.end(), [&](const Colour& c) {
      return c.c[0] == r && c.c[1] == g && c.c[2] == b;
    });
    if (found != bucket.end()) ++found->count;
    else bucket.push_back({{r, g, b}, 1});
  }

  std::vector<Box> boxes(1);
  for (auto& bucket : buckets) boxes[0].colours.insert(boxes[0].colours.end(), bucket.begin(), bucket.end());
  Shrink(boxes[0]);
  std::vector<Node> tree(1);
  boxes[0].node = 0;

  while (int(boxes.size()) < colours) {
    size_t pick = 0;
    long bestScore = -1;
    for (size_t i = 0; i < boxes.size(); ++i) {
      long score = long(BitLength(boxes[i].pixels)) * boxes[i].extent[LongestChannel(boxes[i])];
      if (score > bestScore) bestScore = score, pick = i;
    }
    Box& box = boxes[pick];
    const int ch = LongestChannel(box);
    if (box.extent[ch] < 2) break;

    // The median of the channel: the value where the running count passes half.
    uint32_t histogram[256] = {};
    for (const Colour& colour : box.colours) histogram[colour.c[ch]] += colour.count;
    const int lo = box.min[ch], hi = lo + box.extent[ch];
    uint64_t sum = 0;
    int cut = lo;
    while (cut <= hi && 2 * sum < box.pixels) sum += histogram[cut++];
    cut = std::clamp(cut, lo + 1, hi);  // both halves keep a colour

    Box upper;
    auto middle = std::partition(box.colours.begin(), box.colours.end(),
                                 [&](const Colour& c) { return c.c[ch] < cut; });
    upper.colours.assign(middle, box.colours.end());
    box.colours.erase(middle, box.colours.end());
    Shrink(box);
    Shrink(upper);

    Node& parent = tree[size_t(box.node)];
    parent.channel = ch;
    parent.threshold = cut;
    parent.left = int(tree.size());
    parent.right = int(tree.size()) + 1;
    box.node = parent.left;
    upper.node = parent.right;
    tree.resize(tree.size() + 2);
    boxes.push_back(std::move(upper));
  }

  for (size_t i = 0; i < boxes.size(); ++i) {
    const Box& box = boxes[i];
    tree[size_t(box.node)].index = int(i);
    palette[i] = {uint8_t(box.min[2] + box.extent[2] / 2), uint8_t(box.min[1] + box.extent[1] / 2),
                  uint8_t(box.min[0] + box.extent[0] / 2), 0};
  }
  for (size_t i = 0; i < pixelCount; ++i) {
    const uint8_t value[3] = {bgr[i * 3 + 2], bgr[i * 3 + 1], bgr[i * 3]};
    const Node* node = &tree[0];
    while (node->channel >= 0)
      node = &tree[size_t(value[node->channel] < node->threshold ? node->left : node->right)];
    indices[i] = uint8_t(node->index);
  }
  return int(boxes.size());
}
