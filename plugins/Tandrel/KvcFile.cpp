#include "plugins/Tandrel/KvcFile.h"

#include <string>

#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace Kvc {

namespace {

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
    if (Frx::Pscanf(cursor, "%S <= %S", &destination, &source) && *destination.Get() && *source.Get()) {
      doc.pairs.push_back({destination.Get(), source.Get()});
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

std::string Text(const std::vector<Pair>& pairs) {
  std::string text = "Savora MotionConvert Text Ver 0.1\nMConvert: {\n";
  for (const Pair& pair : pairs) text += "\t" + pair.destination + " <= " + pair.source + "\n";
  return text + "}\nEof";
}

}  // namespace Kvc
