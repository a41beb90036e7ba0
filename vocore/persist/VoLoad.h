// VoLoad: reads the nested-block text of items from a zero-terminated buffer
// with the pattern scanner. The reader owns the buffer and frees it with
// Frx::File::Free, so it must come from Frx::File::ReadText or the master's
// AllocFileReadText.
#pragma once

#include <string>

class VoLoad {
 public:
  // Takes ownership of `buffer` (zero-terminated text; null reads as empty).
  explicit VoLoad(void* buffer);
  ~VoLoad();
  VoLoad(const VoLoad&) = delete;
  VoLoad& operator=(const VoLoad&) = delete;

  // Matches the pattern at the cursor (Frx::Pscanf rules; "%s" takes a buffer
  // and its int size). 1 and the cursor moved past the match, or 0 and the
  // cursor unchanged. A match of no text counts as none, so every reader loop
  // that repeats its entries moves on or stops.
  int Read(const char* format, ...);
  // Enters the block " name {" at the cursor (white space skipped, the name
  // compared ignoring ASCII case). 0 leaves the cursor where it was. A block
  // whose item would lie deeper than MaxDepth (topDepth) fails the whole
  // read: it is logged and the cursor goes to the end, so every reader loop
  // stops.
  int OpenChunk(const char* name);
  // Leaves the current block. 0 when the text ends before its "}": the cursor
  // then stands at the end, so every later read fails and loops stop.
  int CloseChunk();
  // Moves to the next line; 0 when already at the end.
  int NextParam();

  bool AtEnd() const { return *cursor == '\0'; }
  const char* GetCursor() const { return cursor; }
  int GetDepth() const { return depth; }

  // The engine's nesting limit of items: no block is read whose item would
  // lie deeper in the item tree than this.
  static constexpr int MaxDepth = 256;

  char* buffer;
  const char* cursor;
  int depth = 0;
  // Depth in the item tree of the item of a block at the top of the text,
  // outside every other block: the depth of the branch the text is read into
  // plus one. A block's item lies one deeper per block around it. 1 unless
  // set: a text read into a root.
  int topDepth = 1;
  std::string basePath;  // readers resolve relative file names against it
};
