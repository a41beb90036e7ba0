// Fuzzes the MQO reader from memory, then the record steps and the item
// builder over what it read, under a headless master.
#include <cstdint>
#include <cstring>
#include <string>

#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/MqoRecordSteps.h"
#include "plugins/Pelarn/MqoSceneBuilder.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// The public sample files say "Ver 1.1"; reading them as 1.0 lets them seed
// the reader's insides rather than only its refusal.
void AcceptNewerHeader(std::string& text) {
  static const char newer[] = "Format Text Ver 1.1";
  const size_t at = text.find(newer);
  if (at != std::string::npos && at < 64) text[at + sizeof newer - 2] = '0';
}

VoMaster& Master() {
  static VoMaster* master = [] {
    auto* m = new VoMaster;
    m->Initialize(nullptr);
    return m;
  }();
  return *master;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  AcceptNewerHeader(text);
  Mqo::Document doc;
  std::string error;
  if (!Mqo::ParseMqoDocument(text.data(), text.size(), 1.0f, doc, error)) return 0;
  if (!Mqo::RunRecordSteps(doc, VoIBranch::MaxDepth, error)) return 0;
  VoMaster& master = Master();
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  // A folder that holds nothing: textures are looked for and not found.
  Mqo::BuildItems(master, doc, "/nonexistent-mqo-fuzz/", character);
  character->ExecUpdate();
  master.ReleaseItem(character);
  return 0;
}
