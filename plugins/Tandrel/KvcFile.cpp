#include "plugins/Tandrel/KvcFile.h"

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
  for (;;) {
    Frx::Pstring destination, source;
    if (Frx::Pscanf(p, " %S <= %S", &destination, &source)) {
      doc.pairs.push_back({destination.Get(), source.Get()});
      continue;
    }
    if (Frx::Pscanf(p, " }")) break;
    // Neither a pair nor the end of the block: nothing would ever move the
    // reader past this line.
    doc.status = Status::BadLine;
    doc.line = LineAt(p, text);
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
