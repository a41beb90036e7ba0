#include "vocore/geometry/VoMeshLabel.h"

#include "vocore/geometry/VoFace.h"

unsigned long VoLabelMeshParts(int numVertex, const VoFace* faces, std::vector<uint32_t>& labels) {
  labels.assign(static_cast<size_t>(numVertex > 0 ? numVertex : 0), 0);
  if (numVertex <= 0) return 0;

  // Faces of each vertex, packed (first[v] .. first[v + 1]).
  const int numFace = faces ? faces->count : 0;
  std::vector<uint32_t> first(static_cast<size_t>(numVertex) + 1, 0);
  for (int f = 0; f < numFace; ++f) {
    const VoFaceElement& e = faces->array[f];
    const int n = e.GetValidCount(numVertex);
    for (int k = 0; k < n; ++k) ++first[e.index[k] + 1];
  }
  for (int v = 0; v < numVertex; ++v) first[v + 1] += first[v];
  std::vector<uint32_t> faceOf(first[numVertex]);
  std::vector<uint32_t> fill(first.begin(), first.end() - 1);
  for (int f = 0; f < numFace; ++f) {
    const VoFaceElement& e = faces->array[f];
    const int n = e.GetValidCount(numVertex);
    for (int k = 0; k < n; ++k) faceOf[fill[e.index[k]]++] = static_cast<uint32_t>(f);
  }

  uint32_t label = 0;
  std::vector<uint32_t> stack;
  for (int seed = 0; seed < numVertex; ++seed) {
    if (labels[seed] != 0) continue;
    labels[seed] = ++label;
    stack.push_back(static_cast<uint32_t>(seed));
    while (!stack.empty()) {
      const uint32_t v = stack.back();
      stack.pop_back();
      for (uint32_t i = first[v]; i < first[v + 1]; ++i) {
        const VoFaceElement& e = faces->array[faceOf[i]];
        const int n = e.GetCount();  // validated when the table above was built
        for (int k = 0; k < n; ++k) {
          const uint32_t c = e.index[k];
          if (labels[c] != 0) continue;
          labels[c] = label;
          stack.push_back(c);
        }
      }
    }
  }
  return label;
}
