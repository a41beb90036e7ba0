// Fuzzes the motion file reader from memory, then builds what it read into
// a headless master's character and checks that the writer's text of it
// reads back to the same text.
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>

#include "plugins/Quovin/KvmBuilder.h"
#include "plugins/Quovin/KvmReader.h"
#include "plugins/Quovin/KvmWriter.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

VoMaster& Master() {
  static VoMaster* master = [] {
    auto* m = new VoMaster;
    m->Initialize(nullptr);
    return m;
  }();
  return *master;
}

// The writer's text of the document's motions built under a new character.
std::string Written(const Kvm::Document& doc) {
  VoMaster& master = Master();
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  for (const Kvm::Motion& motion : doc.motions)
    if (!Kvm::BuildMotion(master, motion, character)) std::abort();
  std::list<VoRefer<VoIItem>> items;
  character->GetChildList(items, 1);
  std::string text = Kvm::ComposeKvmText(items);
  items.clear();
  master.ReleaseItem(character);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Kvm::Document doc;
  std::string error;
  if (Kvm::ReadKvmDocument(text.data(), text.size(), doc, error) != Kvm::ReadResult::DONE) return 0;
  const std::string written = Written(doc);
  Kvm::Document again;
  if (Kvm::ReadKvmDocument(written.data(), written.size(), again, error) != Kvm::ReadResult::DONE) std::abort();
  if (Written(again) != written) std::abort();
  return 0;
}
