#include "PelarnFixture.h"

#include <cstdint>

namespace pelarntest {

void PelarnFixture::SetUp() {
  MasterFixture::SetUp();
  master.RegistClassDesc(&importer);
  master.RegistClassDesc(&exporter);
}

VoIItem* PelarnFixture::ImportText(const std::string& text, VoIBranch* into, const std::string& name) {
  scratch.Put(name, text);
  return master.Import(Scratch(name).c_str(), into, 0);
}

std::vector<VoIItem*> PelarnFixture::Children(VoIBranch* branch, unsigned long classId) {
  std::vector<VoIItem*> items;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c))
    if (c->GetClassID() == classId) items.push_back(c);
  return items;
}

VoIItem* PelarnFixture::Find(VoIBranch* branch, const char* name) {
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
    if (c->name == name) return c;
    if (VoIBranch* b = c->IsBranch())
      if (VoIItem* found = Find(b, name)) return found;
  }
  return nullptr;
}

std::string Document(const std::string& chunks) {
  return "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n" + chunks + "Eof\r\n";
}

std::string TinyBmp() {
  std::string b;
  auto put = [&b](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b += char(v >> (8 * i) & 0xFF);
  };
  b += "BM";
  put(54 + 16, 4), put(0, 4), put(54, 4);
  put(40, 4), put(2, 4), put(2, 4), put(1, 2), put(24, 2), put(0, 4), put(16, 4), put(0, 4), put(0, 4), put(0, 4),
      put(0, 4);
  for (int row = 0; row < 2; ++row) put(0x0000FF, 3), put(0x00FF00, 3), put(0, 2);
  return b;
}

}  // namespace pelarntest
