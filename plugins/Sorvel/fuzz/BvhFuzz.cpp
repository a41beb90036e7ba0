// Fuzzes the BVH reader from memory, then the builder and one update of what
// it read under a headless master; what the writer makes of the result must
// read back with the same joints and frames (a motion without frames is
// written as its one pose). Whole capture files (the seeds from Debian's
// assimp-testmodels) are only read: building and writing their 4,500 frames
// would slow every run down to a few a second.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugins/Sorvel/BvhBuilder.h"
#include "plugins/Sorvel/BvhParser.h"
#include "plugins/Sorvel/BvhWriter.h"
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

size_t Joints(const Bvh::Document& doc) {
  size_t n = 0;
  for (const Bvh::Node& node : doc.nodes) n += node.kind == Bvh::Node::JOINT ? 1 : 0;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bvh::Document doc;
  std::string error;
  if (!Bvh::ParseBvhDocument(reinterpret_cast<const char*>(data), size, doc, error)) return 0;
  if (doc.values.size() > 20000) return 0;
  VoMaster& master = Master();
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  Bvh::BuildBvhItems(master, doc, character);
  character->ExecUpdate();
  const std::string text = Bvh::ComposeBvhText(character, 30.0f);
  master.ReleaseItem(character);

  Bvh::Document again;
  if (!Bvh::ParseBvhDocument(text.data(), text.size(), again, error) || Joints(again) != Joints(doc) ||
      again.frames != std::max(doc.frames, 1))
    std::abort();
  return 0;
}
