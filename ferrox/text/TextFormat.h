// Frx::TextFormat: walks the structure of brace-block texts (blocks, raw byte blocks,
// paragraphs, line and column of a position).
#pragma once

namespace Frx::TextFormat {

// p lies inside depth open blocks; returns the position just after the "}" that
// closes the outermost of them, or null when the text ends first (null p: null).
// depth 0 walks to the end of the next block. Double-byte characters are stepped
// over whole.
//
// A raw block "[N]", a byte of 32 or less, then after "]" two bytes of line break and
// N bytes of data, is jumped over without looking at its data. N is digits only; a
// header such as "[-3]" is ordinary text. A block whose data would reach the end of
// the text ends the walk with null.
//
// The text ends at its first zero byte outside raw blocks, and at end when end is
// given. Without end, raw data may not hold zero bytes (such a block counts as
// reaching the end); readers of texts with binary blocks pass the end of their buffer.
const char* ExitSection(const char* p, int depth, const char* end = nullptr);
char* ExitSection(char* p, int depth, const char* end = nullptr);

// ExitSection(p, 0, end): just after the closing brace of the next block.
const char* NextSection(const char* p, const char* end = nullptr);
char* NextSection(char* p, const char* end = nullptr);

// Just after the next line feed; the end of the text when there is none; p when p
// is at the end (null p: null).
const char* NextParagraph(const char* p);
char* NextParagraph(char* p);

// Line feeds from text up to pos (0 when pos is text); -1 when the text ends before
// pos, pos lies before text or either is null.
int GetLine(const char* pos, const char* text);

// Column of pos on its line, from 0 on every line: a single-byte character counts 1,
// a double-byte character 2 (1 when pos is at its second byte). -1 as for GetLine.
int GetWidth(const char* pos, const char* text);

}  // namespace Frx::TextFormat
