// The text of ".kvc" files: pairs of a destination locate's name and a
// source item's name, as the motion converter reads and writes them:
//
//   Savora MotionConvert Text Ver 0.1
//   MConvert: {
//   <TAB>destination <= source  (split at the first "<=" between blanks)
//   }
//   Eof                        (no line end)
#pragma once

#include <string>
#include <vector>

namespace Kvc {

struct Pair {
  std::string destination;
  std::string source;
};

enum class Status {
  Done,
  BadHeader,  // the header or the block's opening line is missing
  BadLine,    // a block line that is neither a pair nor "}"
  NoEof,      // "Eof" does not follow the block
};

struct Document {
  std::vector<Pair> pairs;  // in file order, as far as the text was read
  Status status = Status::Done;
  bool closed = false;  // the block's "}" was reached
  int line = 0;         // 1-based line of the failure
};

// Parses zero-terminated text with LF (or CR LF) line ends.
Document Parse(const char* text);

// Whether the pair, written, reads back as it is: no blank at either end of
// a name, no line end, no TAB in the source, no "<=" between blanks in the
// destination, no destination that reads as the block's end.
bool Writable(const Pair& pair);

// The whole file with LF line ends, to be written in text mode.
std::string Text(const std::vector<Pair>& pairs);

}  // namespace Kvc
