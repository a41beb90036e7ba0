// The BVH text reader: one pass over the whole file text into a plain
// document. Keywords match without regard to case and blanks (line breaks
// included) may stand between tokens, except in the motion: every frame is
// one line of exactly as many values as the hierarchy has channels, unless
// the values of the whole motion, read across line ends, number exactly
// frames times channels (as writers that wrap long lines leave them); that
// is logged, with the first line that is no whole frame.
#pragma once

#include <cstddef>
#include <string>

#include "plugins/Sorvel/BvhDocument.h"

namespace Bvh {

// Joints nested deeper than this are refused, with the depth logged: the
// cap bounds the reader's descent, which recurses once per level, and keeps
// a skeleton (its End Sites one level further) well inside the engine's
// VoIBranch::MaxDepth levels, leaving the rest for the branch it is
// imported under.
constexpr int kMaxDepth = 128;

// Reads text[0, size) into doc; a zero byte ends the text early. Returns 1,
// or 0 with the message to show in error and the line of the text where
// reading stopped in *textLine (when given); doc then holds what was read.
// A taken text notes in doc.skipped what it held that is not used: text
// after the stated frames or after a zero byte, and the keys of a joint that
// a later joint of the same name replaces.
// Counts in the text are checked against what follows them and never size an
// allocation; every number is a plain decimal ("1e-05" is refused).
int ParseBvhDocument(const char* text, size_t size, Document& doc, std::string& error, int* textLine = nullptr);

// The message of a structural fault, naming the reader's source and line.
std::string StructureError(const char* file, int line);

}  // namespace Bvh
