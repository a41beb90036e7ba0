// Fuzzes the scanner and the block walker. Input: a pattern, a zero byte, the
// text; or plain text (no zero byte), which is scanned at each line start with
// the patterns the readers use, as they walk their files, so model and motion
// files serve as seeds. Conversions in a pattern are rewritten to one kind per
// run so that the arguments passed always fit them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {

constexpr int kMaxConversions = 4;
constexpr int kMaxLines = 256;  // keeps large seeds fast

const char* const kReaderPatterns[] = {
    " Metasequoia Document", " Format Text Ver %f", " Object \"%s\" {", " vertex %d {",
    " face %d {", " V( %d %d %d %d )", " M( %d )", " %f %f %f", " BVertex %d {", " Vector %d [%d]",
    " name = \"%s\"", " endframe = %d", " %d %d", " %d %f", " %d ( %f %f %f )",
    " pos = ( %f, %f, %f)", " Import \"%s\" ro(%d)", " %s {", " }", "%s[%d]", " Eof",
    " \x83\x82\x81[\x83V\x83\x87\x83\x93 = %d",  // a Shift-JIS key name (motion)
    "%%%.", "\\\\%s"};

// The pattern with every conversion turned into kind and at most kMaxConversions.
std::string Rewrite(const std::string& pattern, char kind) {
  std::string out;
  int conversions = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    const char next = pattern[++i];
    if (std::strchr("dDxXfFsS", next)) {
      if (conversions++ < kMaxConversions) out += std::string("%") + kind;
    } else {
      out += '%';
      out += next;
    }
  }
  return out;
}

// A pattern in the three kinds of conversion.
struct Kinds {
  explicit Kinds(const std::string& pattern)
      : d(Rewrite(pattern, 'd')), f(Rewrite(pattern, 'f')), s(Rewrite(pattern, 's')) {}
  std::string d, f, s;
};

// Scans at start with the pattern in each kind; a match must end inside the text.
void ScanAt(const char* start, const char* end, const Kinds& pattern) {
  int n[kMaxConversions];
  float f[kMaxConversions];
  char s[kMaxConversions][8];
  auto check = [&](const char* cursor) {
    if (cursor < start || cursor > end) std::abort();
  };
  const char* cursor = start;
  Frx::Pscanf(cursor, pattern.d.c_str(), &n[0], &n[1], &n[2], &n[3]);
  check(cursor);
  cursor = start;
  Frx::Pscanf(cursor, pattern.f.c_str(), &f[0], &f[1], &f[2], &f[3]);
  check(cursor);
  cursor = start;
  Frx::Pscanf(cursor, pattern.s.c_str(), s[0], 8, s[1], 3, s[2], 1, s[3], 0);
  check(cursor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  const uint8_t* textStart = split ? split + 1 : data;
  std::vector<char> text(textStart, data + size);
  text.push_back('\0');
  const char* const end = text.data() + text.size() - 1;

  if (split) {
    ScanAt(text.data(), end, Kinds(std::string(reinterpret_cast<const char*>(data), split - data)));
  } else {
    static const std::vector<Kinds> readerPatterns(std::begin(kReaderPatterns), std::end(kReaderPatterns));
    const char* line = text.data();
    for (int lines = 0; line && lines < kMaxLines; ++lines) {
      for (const Kinds& pattern : readerPatterns) ScanAt(line, end, pattern);
      line = std::strchr(line, '\n');
      if (line) ++line;
    }
  }

  for (int depth = -1; depth <= 2; ++depth) {
    Frx::TextFormat::ExitSection(text.data(), depth);
    Frx::TextFormat::ExitSection(text.data(), depth, end);
  }
  const char* p = text.data();
  while (*p) p = Frx::TextFormat::NextParagraph(p);
  Frx::TextFormat::GetWidth(p, text.data());
  Frx::TextFormat::GetLine(p, text.data());
  return 0;
}
