// Fuzzes the .kvc reader: any text stops with a status (never a hang or a
// read past the end), every pair it read is one the writer keeps, and the
// pairs, written out again, read back whole and the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugins/Tandrel/KvcFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The reader takes zero-terminated text, as the file is read.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Kvc::Document doc = Kvc::Parse(text.c_str());
  if (doc.status != Kvc::Status::Done && doc.line < 1) std::abort();
  for (const Kvc::Pair& pair : doc.pairs)
    if (!Kvc::Writable(pair)) std::abort();

  const Kvc::Document again = Kvc::Parse(Kvc::Text(doc.pairs).c_str());
  if (again.status != Kvc::Status::Done || !again.closed || again.pairs.size() != doc.pairs.size())
    std::abort();
  for (size_t i = 0; i < doc.pairs.size(); ++i)
    if (again.pairs[i].destination != doc.pairs[i].destination || again.pairs[i].source != doc.pairs[i].source)
      std::abort();
  return 0;
}
