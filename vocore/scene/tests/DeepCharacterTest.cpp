// Characters nested far deeper than the nesting limit: the update, the draw
// and the writer stop at the limit, the reader reads back what was written
// and refuses deeper text. Each case runs in a child process on a small stack.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"

namespace {

constexpr size_t kStack = size_t(1) << 20;
constexpr int kLimit = VoIBranch::MaxDepth;

int drawn = 0;

// An object that counts its draws.
class Drawn : public VoIObject {
 public:
  using VoIObject::VoIObject;
  int Redraw() override { return ++drawn; }
};

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

int Nesting(VoICharacter* top) {
  int n = 0;
  for (VoIItem* c = top->GetFirstChild(); c && c->IsCharacter(); c = c->IsBranch()->GetFirstChild()) ++n;
  return n;
}

using DeepCharacterTest = votest::MasterFixture;

TEST_F(DeepCharacterTest, NestedCharactersStopAtTheLimit) {
  FrxTest::ExpectCleanInChild([&]() -> std::string {
    std::vector<VoICharacter*> chain{Make<VoICharacter>(nullptr, "c")};
    for (int i = 1; i < 20000; ++i) {
      chain.push_back(master.NewItem<VoICharacter>(chain.back()));
      new Drawn(chain[i - 1]);
    }
    master.CountUpdate();
    master.Animation(chain[0], Frx::Pmatrix::id, 0.0f);
    if (!chain[kLimit]->IsReupdate() || chain[kLimit + 1]->IsReupdate())
      return std::string("the update did not stop at the limit\n");
    master.Discation(chain[0]);
    if (drawn != kLimit) return "drew " + std::to_string(drawn) + " objects\n";

    FrxTest::LogCapture log;
    const std::string text = votest::SaveText(chain[0]);
    if (Count(text, "Character {") != kLimit || log.Count("保存しません") != 1)
      return "wrote " + std::to_string(Count(text, "Character {")) + " blocks\n";
    std::unique_ptr<VoLoad> load(votest::NewReader(text));
    load->OpenChunk("Character");
    VoICharacter* back = Make<VoICharacter>(nullptr, "back");
    back->Load(*load);
    if (votest::SaveText(back) != text) return std::string("the text did not read back to itself\n");
    return std::string();
  }, kStack);
}

TEST_F(DeepCharacterTest, TooDeepATextFailsTheRead) {
  const struct {
    const char* name;
    int characters, motions, read;
    bool refused;
  } cases[] = {
      {"characters at the limit", kLimit, 0, kLimit - 1, false},
      {"characters past the limit", kLimit + 44, 0, kLimit - 1, true},
      {"motions past the limit", 100, 200, 99, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FrxTest::ExpectCleanInChild([&]() -> std::string {
      std::string text;
      for (int i = 0; i < c.characters; ++i) text += "Character {\nname = \"c\"\n";
      for (int i = 0; i < c.motions; ++i) text += "Motion {\nendframe = 3\n";
      text += "name = \"innermost\"\n";
      for (int i = 0; i < c.characters + c.motions; ++i) text += "}\n";
      text += "name = \"after\"\n";
      FrxTest::LogCapture log;
      std::unique_ptr<VoLoad> load(votest::NewReader(text));
      load->OpenChunk("Character");
      VoICharacter* top = Make<VoICharacter>(nullptr, "top");
      if (top->Load(*load) != 0) return std::string("the read did not end with 0\n");
      if (Nesting(top) != c.read) return "read " + std::to_string(Nesting(top)) + " levels\n";
      if (log.Contains("階層が深すぎます") != c.refused || load->AtEnd() != c.refused)
        return std::string("the refusal was not as expected\n");
      return std::string();
    }, kStack);
  }
}

}  // namespace
