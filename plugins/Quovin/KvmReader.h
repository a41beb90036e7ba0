// The motion file reader: one pass over the whole text into a plain
// document. It knows the header, motion blocks (nested ones too), the five
// control blocks, the older Trans and Rotate blocks and the end mark; other
// blocks are skipped whole.
#pragma once

#include <cstddef>
#include <string>

#include "plugins/Quovin/KvmDocument.h"

namespace Kvm {

enum class ReadResult {
  DONE,
  REFUSED,  // no motion file header: nothing to say, nothing made
  BROKEN,   // a malformed motion block or no end mark: error names the place
};

// Nested motion blocks deeper than this are skipped whole, not read.
constexpr int MaxMotionDepth = 64;

// Reads text[0, size) into doc. text[size] must be 0 (std::string data is);
// a zero byte before it ends the text. On BROKEN, error holds the message and
// doc what was read before the fault. What is passed over and read on from
// (the rest of a control block from a line that is none of its lines, blocks
// of unknown kinds, motions nested too deep, the bytes of a text value past
// 255) is noted in doc.skipped. Nothing is allocated by a number in
// the text, every loop ends at its block's end or the text's, and text values
// keep at most 255 bytes.
ReadResult ReadKvmDocument(const char* text, size_t size, Document& doc, std::string& error);

// The message a refused file shows, naming the source line that refused it.
std::string ImportError(const char* file, int line);

// The curve kind named ("linear" 0, "spline" 1, "spline2" 2, compared byte
// for byte); 0 for any other name.
int FindCurveKind(const char* name);

}  // namespace Kvm
