#include "plugins/Tandrel/KvcFile.h"

#include <string>
#include <utility>

#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Kvc {

namespace {

// The name without the blanks and control bytes that end it: they would be
// lost on the next write and read, and no item is named with them. (No
// Shift-JIS trail byte is that low.)
std::string Trimmed(const Frx::Pstring& name) {
  std::string text = name.Get();
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
  return text;
}

// The line the next token stands on, blanks before it skipped.
int LineAt(const char* cursor, const char* text) {
  while (*cursor && static_cast<unsigned char>(*cursor) <= 32) ++cursor;
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
    while (*p && static_cast<unsigned char>(*p) <= 32) ++p;
    const char* end = p;
    while (*end && *end != '\n') ++end;
    std::string line(p, end);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.pop_back();
    const char* cursor = line.c_str();
    if (Frx::Pscanf(cursor, "}")) {
      p += cursor - line.c_str();
      break;
    }
    Frx::Pstring destination, source;
    // A TAB ends the source; what follows it is ignored, as before.
    if (Frx::Pscanf(cursor, "%S <= %S", &destination, &source)) {
      Pair pair{Trimmed(destination), Trimmed(source)};
      if (!pair.destination.empty() && !pair.source.empty()) {
        doc.pairs.push_back(std::move(pair));
        p = end;
        continue;
      }
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

std::string Text(const std::vector<Pair>& pairs) {
  std::string text = "Savora MotionConvert Text Ver 0.1\nMConvert: {\n";
  for (const Pair& pair : pairs) text += "\t" + pair.destination + " <= " + pair.source + "\n";
  return text + "}\nEof";
}

}  // namespace Kvc
