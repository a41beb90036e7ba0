// What a lenient reader passed over and read on from. The reader notes each
// skip with its text line while it reads the text; the import logs them with
// the file's name, one line each, once the file is taken.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ReadSkips {
 public:
  struct Skip {
    int line = 0;
    std::string what;  // Shift-JIS, what was passed over
  };
  // Skips past this many are only counted.
  static constexpr size_t Kept = 32;

  void Add(int line, std::string what);
  size_t Count() const { return kept_.size() + more_; }
  const std::vector<Skip>& Items() const { return kept_; }
  // "<path>(<line>): <what>を読み飛ばしました。" per kept skip, then one line
  // with how many more there were.
  void Log(const char* path) const;

 private:
  std::vector<Skip> kept_;
  size_t more_ = 0;
};

// The line number of positions in one text, asked in any order; positions
// asked in increasing order cost only the bytes between them.
class TextLines {
 public:
  explicit TextLines(const char* begin) : begin_(begin), from_(begin) {}
  int At(const char* at);

 private:
  const char* begin_;
  const char* from_;
  int line_ = 1;
};

// Up to `limit` bytes of the text at `at` to its line end, blanks before it
// passed over and no double-byte character split; "..." marks a cut.
std::string LineSnippet(const char* at, const char* end, size_t limit = 40);
