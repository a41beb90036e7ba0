// Metasequoia models of unusual shape, generated for tests and benchmarks:
// objects nested by name and bones chained end to end.
#pragma once

#include <cstdio>
#include <string>

namespace plugtest {

// n triangles in chains of `chain` (n: one chain): object i is named
// "n<i>|n<i+1>", a child of the next one, except at the end of each chain.
inline std::string NestedObjectsMqo(int n, int chain = 0) {
  if (chain <= 0) chain = n;
  std::string text = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n";
  char object[160];
  for (int i = 0; i < n; ++i) {
    const int above = (i + 1) % chain == 0 ? n + i : i + 1;  // a name nobody has ends the chain
    std::snprintf(object, sizeof object,
                  "Object \"n%07d|n%07d\" {\r\n vertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\n face 1 {\r\n3 V(0 1 2)\r\n}\r\n"
                  "}\r\n",
                  i, above);
    text += object;
  }
  return text + "Eof\r\n";
}

// One bone object of n segments end to end along x.
inline std::string BoneChainMqo(int n) {
  std::string text = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nObject \"bone:chain\" {\n vertex " +
                     std::to_string(3 * n) + " {\n";
  for (int i = 0; i < n; ++i)
    text += std::to_string(10 * i) + " 0 0\n" + std::to_string(10 * i + 10) + " 0 0\n" + std::to_string(10 * i) + " 1 0\n";
  text += "}\n face " + std::to_string(n) + " {\n";
  for (int i = 0; i < n; ++i)
    text += "3 V(" + std::to_string(3 * i) + " " + std::to_string(3 * i + 1) + " " + std::to_string(3 * i + 2) + ")\n";
  return text + "}\n}\nEof\r\n";
}

}  // namespace plugtest
