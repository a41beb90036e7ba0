#include "plugins/Tandrel/KvcFile.h"

#include <string>
#include <utility>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Kvc {

namespace {

// Blanks are bytes 1..32, as the scanner skips them. No Shift-JIS trail
// byte is that low, nor is "<" or "=".
bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

// A name without the blanks at either end: the reader cannot keep them.
std::string Trimmed(std::string text) {
  size_t from = 0;
  while (from < text.size() && Blank(text[from])) ++from;
  while (text.size() > from && Blank(text.back())) text.pop_back();
  return text.substr(from);
}

// A block line split at its first "<=" with a blank on both sides; the
// source ends at a TAB, what follows it is ignored. So names may hold
// blanks, and "<=" anywhere but between blanks in the destination.
bool SplitPair(const std::string& line, Pair& pair) {
  for (size_t at = 1; at + 2 < line.size(); ++at) {
    if (line[at] != '<' || line[at + 1] != '=' || !Blank(line[at - 1]) || !Blank(line[at + 2])) continue;
    std::string source = line.substr(at + 3);
    size_t start = 0;
    while (start < source.size() && Blank(source[start])) ++start;
    source = source.substr(start, source.find('\t', start) - start);
    pair = {Trimmed(line.substr(0, at)), Trimmed(std::move(source))};
    return !pair.destination.empty() && !pair.source.empty();
  }
  return false;
}

// The line the next token stands on, blanks before it skipped.
int LineAt(const char* cursor, const char* text) {
  while (*cursor && Blank(*cursor)) ++cursor;
  return Frx::TextFormat::GetLine(cursor, text) + 1;
}

}  // namespace

Document Parse(const char* text) {
  Document doc;
  const char* p = text ? text : "";
  if (!Frx::Pscanf(p, "Savora MotionConvert Text Ver 0.1") || !Frx::Pscanf(p, " MConvert: {")) {
    doc.status = Status::BadHeader;
    doc.line = LineAt(p, text ? text : p);
    return doc;
  }
  // Block lines one at a time, so a line that is neither a pair nor "}" is
  // reported where it stands and nothing reads on into the next line.
  for (;;) {
    while (*p && Blank(*p)) ++p;
    const char* end = p;
    while (*end && *end != '\n') ++end;
    std::string line(p, end);
    while (!line.empty() && Blank(line.back())) line.pop_back();
    const char* cursor = line.c_str();
    if (Frx::Pscanf(cursor, "}")) {
      p += cursor - line.c_str();
      break;
    }
    if (Pair pair; SplitPair(line, pair)) {
      doc.pairs.push_back(std::move(pair));
      p = end;
      continue;
    }
    doc.status = Status::BadLine;
    doc.line = Frx::TextFormat::GetLine(p, text) + 1;
    return doc;
  }
  doc.closed = true;
  if (!Frx::Pscanf(p, " Eof")) {
    doc.status = Status::NoEof;
    doc.line = LineAt(p, text);
  }
  return doc;
}

bool Writable(const Pair& pair) {
  const Document doc = Parse(Text({pair}).c_str());
  return doc.status == Status::Done && doc.pairs.size() == 1 && doc.pairs[0].destination == pair.destination &&
         doc.pairs[0].source == pair.source;
}

std::string Text(const std::vector<Pair>& pairs) {
  std::string text = "Savora MotionConvert Text Ver 0.1\nMConvert: {\n";
  for (const Pair& pair : pairs) text += "\t" + pair.destination + " <= " + pair.source + "\n";
  return text + "}\nEof";
}

}  // namespace Kvc
