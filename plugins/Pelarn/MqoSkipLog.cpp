// The log lines of what the reader passed over.
#include <algorithm>
#include <numeric>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Pelarn/MqoParser.h"

namespace Mqo {

namespace {

const char* const kWhat[Skipped::KINDS] = {
    "名前を読めないオブジェクト", "材質の行", "頂点の行", "面", "ない頂点を指す面",
};

}  // namespace

void LogSkipped(const char* path, const char* text, size_t size, const Skipped& skipped) {
  // In the order of their first places in the file.
  int order[Skipped::KINDS];
  std::iota(order, order + Skipped::KINDS, 0);
  std::stable_sort(order, order + Skipped::KINDS, [&skipped](int a, int b) { return skipped.first[a] < skipped.first[b]; });
  for (int kind : order) {
    if (skipped.count[kind] == 0) continue;
    const size_t at = std::min(skipped.first[kind], size);
    const int line = 1 + int(std::count(text, text + at, '\n'));
    Frx::theFerrox.Log("　　%s(%d): %sを読み飛ばしました (%d 箇所、%zu 行)。\n", path ? path : "", line, kWhat[kind],
                       skipped.count[kind], skipped.lines[kind]);
  }
}

}  // namespace Mqo
