// The intermediate file: its exact bytes, and what it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "OsmiraFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Osmira/Osmiraform.h"

namespace osmiratest {
namespace {

using Frx::Pvector;

class KviTest : public OsmiraFixture {
 protected:
  void SetUp() override {
    OsmiraFixture::SetUp();
    // A bone along z: its rest frame is exactly the identity.
    rig = MakeRig({{"arm", -1, {0, 0, 0}, {0, 0, 10}, {0, 4, 0}}});
    Mesh quad;
    quad.positions = {{1, 0, 2}, {1, 0, 8}, {-1, 0, 8}, {-1, 0, 2}};
    quad.faces = {{0, 1, 2, 3}};
    body = MakePolygon(rig.character, "body", quad);
    auto* deformer = static_cast<Osmiraform*>(master.CreateItem("Osmiraform", body));
    deformer->SetName("skin");
    deformer->skeleton = rig.skeleton;
    MakePolygon(rig.character, "hidden", quad)->SwHide(1);
    MakePolygon(rig.character, "loose", quad)->ReleaseFace();
    VoICharacter* prop = Make<VoICharacter>(rig.character, "prop");
    MakePolygon(prop, "ball", quad)->SetCoordinate(rig.bones[0]);
    Frame(rig.character);
  }
  std::string Path(const char* name) const { return folder.Native(name); }

  Rig rig;
  VoIPolygon* body = nullptr;
  FrxTest::TempFolder folder;
};

TEST_F(KviTest, ExactBytes) {
  const std::string path = Path("chara.kvi");
  ASSERT_EQ(master.Export(path.c_str(), rig.character, 0), 1);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  // Text mode: CR LF. The hidden polygon and the one without faces are
  // left out; the deformer's block with its weights sits in its polygon's;
  // the nested character comes last.
  EXPECT_EQ(FrxTest::ReadWhole(path),
            "Savora Intermediate Ver 1\r\n"
            "\r\n"
            "Character {\r\n"
            "\tname = \"chara\"\r\n"
            "\tSkelton {\r\n"
            "\t\tname = \"skel\"\r\n"
            "\t\tLocate {\r\n"
            "\t\t\tname = \"j_arm\"\r\n"
            "\t\t\tspos = ( 0.000000, 0.000000, 0.000000)\r\n"
            "\t\t\tpos = ( 0.000000, 0.000000, 0.000000)\r\n"
            "\t\t}\r\n"
            "\t\tBone {\r\n"
            "\t\t\tname = \"arm\"\r\n"
            "\t\t\tsrot = ( 0.000000, 0.000000, 0.000000, 1.000000)\r\n"
            "\t\t\trot = ( 0.000000, 0.000000, 0.000000, 1.000000)\r\n"
            "\t\t\tstart = \"j_arm\"\r\n"
            "\t\t\tend = \"e_arm\"\r\n"
            "\t\t}\r\n"
            "\t\tLocate {\r\n"
            "\t\t\tname = \"e_arm\"\r\n"
            "\t\t\tcoordinate = \"arm\"\r\n"
            "\t\t\tspos = ( 0.000000, 0.000000, 10.000000)\r\n"
            "\t\t\tpos = ( 0.000000, 0.000000, 10.000000)\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "\tPolygon {\r\n"
            "\t\tname = \"body\"\r\n"
            "\t\tOsmiraform {\r\n"
            "\t\t\tname = \"skin\"\r\n"
            "\t\t\tWeight {\r\n"
            "\t\t\t\tcooridnate = \"arm\"\r\n"
            "\t\t\t\t0 ( 1.000000 )\r\n"
            "\t\t\t\t1 ( 1.000000 )\r\n"
            "\t\t\t\t2 ( 1.000000 )\r\n"
            "\t\t\t\t3 ( 1.000000 )\r\n"
            "\t\t\t}\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "\tCharacter {\r\n"
            "\t\tname = \"prop\"\r\n"
            "\t\tPolygon {\r\n"
            "\t\t\tname = \"ball\"\r\n"
            "\t\t\tcoordinate = \"arm\"\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "}\r\n"
            "Eof\r\n");
  // The branch form writes the same as a list of the character alone.
  std::list<VoRefer<VoIItem>> items{rig.character};
  const std::string again = Path("again.kvi");
  ASSERT_EQ(kviDesc.Export(again.c_str(), items, 0), 1);
  EXPECT_EQ(FrxTest::ReadWhole(again), FrxTest::ReadWhole(path));
}

size_t Count(const std::string& s, const std::string& text) {
  size_t n = 0;
  for (size_t at = s.find(text); at != std::string::npos; at = s.find(text, at + text.size())) ++n;
  return n;
}

class KviChain : public KviTest {
 protected:
  // The file written of a character holding a chain of `depth` nested
  // triangles p00000, p00001, ... (the one at `hidden` hidden).
  std::string WriteChain(int depth, int hidden) {
    Mesh triangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};
    VoICharacter* chain = Make<VoICharacter>(nullptr, "chain");
    VoIBranch* parent = chain;
    for (int i = 0; i < depth; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "p%05d", i);
      parent = BuildPolygon(master, parent, name, triangle);
      if (i == hidden) parent->SwHide(1);
    }
    const std::string path = Path("chain.kvi");
    return master.Export(path.c_str(), chain, 0) ? FrxTest::ReadWhole(path) : "";
  }
};

TEST_F(KviChain, NestedPolygonsAreWrittenOnceAndTheFileGrowsLinearly) {
  const struct {
    const char* what;
    int depth, hidden;
    size_t blocks;
  } cases[] = {
      {"three nested", 3, -1, 3},
      {"a hidden top: the rest once, from the second down", 3, 0, 2},
      {"a hidden one inside a written one stays in its block", 3, 1, 3},
      {"deeper than the group walk and the indent", 300, -1, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = WriteChain(c.depth, c.hidden);
    EXPECT_EQ(Count(text, "Polygon {"), c.blocks);
    for (int i = 0; i < c.depth; ++i) {
      char line[32];
      std::snprintf(line, sizeof line, "name = \"p%05d\"", i);
      EXPECT_EQ(Count(text, line), i == 0 && c.hidden == 0 ? 0u : 1u) << line;
    }
    // A block is four short lines; its indent does not grow without end.
    EXPECT_LE(text.size(), 100 + size_t(c.depth) * 400);
  }
  // In a child: a writer recursing on the depth would overflow the stack.
  // The process ends before the chain is released.
  EXPECT_EXIT(std::_Exit(Count(WriteChain(200000, -1), "Polygon {") == 200000 ? 0 : 1),
              ::testing::ExitedWithCode(0), "");
}

TEST_F(KviTest, RefusesListsWithoutCharactersAndUnwritablePaths) {
  {
    const std::string path = Path("polygons.kvi");
    std::list<VoRefer<VoIItem>> items{body};
    EXPECT_EQ(kviDesc.Export(path.c_str(), items, 0), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"エクスポート可能なアイテムがありません。\n"});
    EXPECT_FALSE(std::filesystem::exists(path));
  }
  boxes.Clear();
  {
    const std::string path = Path("no/such/folder/chara.kvi");
    EXPECT_EQ(kviDesc.Export(path.c_str(), rig.character, 0), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ファイルがオープンできませんでした。\nファイル名:" + path});
  }
  boxes.Clear();
  {
    // A released character in the list is skipped like any other item.
    VoICharacter* gone = master.NewItem<VoICharacter>(nullptr);
    std::list<VoRefer<VoIItem>> items{gone};
    master.ReleaseItem(gone);
    EXPECT_EQ(kviDesc.Export(Path("gone.kvi").c_str(), items, 0), 0);
    EXPECT_EQ(boxes.Count(), 1);
  }
}

}  // namespace
}  // namespace osmiratest
