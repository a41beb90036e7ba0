// A text picture of an item tree for golden tests of importers: one line per
// item (class, name and what the class holds), children indented below their
// parent, vertices and faces of polygons listed. Floats are rounded to four
// decimals so the text does not hang on the last bits of a computation.
#pragma once

#include <string>

class VoIItem;

namespace plugtest {

std::string DumpItems(VoIItem* root);

}  // namespace plugtest
