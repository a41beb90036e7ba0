// Items built from MQO texts: materials and textures, polygons, the item
// classes' constructions, and failures that must leave the branch as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "PelarnFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoClassDescItem.h"

namespace pelarntest {
namespace {

using MqoBuilder = PelarnFixture;

TEST_F(MqoBuilder, MaterialsShareTexturesAndFacesFindTheirMaterials) {
  scratch.Put("skin.bmp", TinyBmp());
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  Make<VoIMaterial>(c, "old");  // another file's: face material numbers pass it by
  const std::string text = Document(
      "Material 4 {\r\n"
      "\t\"skin\" col(1 0.5 0.25 1) dif(0.8) amb(0.6) emi(0.1) spc(0.2) power(5) tex(\"skin.bmp\") bump(\"invedge\")\r\n"
      "\t\"again\" tex(\"skin.bmp\")\r\n"
      "\t\"self\" tex(\"model.mqo\")\r\n"
      "\t\"gone\" tex(\"missing.bmp\") bump(\"invedge\")\r\n}\r\n"
      "Object \"body\" {\r\n\tvertex 4 {\r\n\t\t0 0 0\r\n\t\t1 0 0\r\n\t\t1 1 0\r\n\t\t0 1 0\r\n\t}\r\n"
      "\tface 4 {\r\n\t\t3 V(0 1 2) M(1) UV(0 0 1 0 1 1)\r\n\t\t4 V(0 1 2 3) M(9)\r\n\t\t2 V(0 3) M(1)\r\n"
      "\t\t3 V(0 1 7) M(1)\r\n\t}\r\n}\r\n");
  ASSERT_EQ(ImportText(text, c), c);

  const std::vector<VoIItem*> materials = Children(c, VoIMaterial::CLASS_ID);
  ASSERT_EQ(materials.size(), 5u);
  const std::vector<VoIItem*> textures = Children(c, VoITexture::CLASS_ID);
  ASSERT_EQ(textures.size(), 1u) << "one texture item per image; none for a model or a missing file";
  EXPECT_STREQ(textures[0]->GetName(), "skin.bmp");
  VoIMaterial* skin = materials[1]->IsMaterial();
  EXPECT_STREQ(skin->GetName(), "skin");
  EXPECT_FLOAT_EQ(skin->g, 0.5f);
  EXPECT_FLOAT_EQ(skin->power, 5.0f);
  EXPECT_EQ(skin->texture.Get(), textures[0]);
  EXPECT_EQ(materials[2]->IsMaterial()->texture.Get(), textures[0]);
  EXPECT_EQ(skin->edge, 1);
  EXPECT_EQ(materials[2]->IsMaterial()->edge, 0);
  EXPECT_EQ(materials[3]->IsMaterial()->texture.Get(), nullptr);
  EXPECT_EQ(materials[4]->IsMaterial()->texture.Get(), nullptr);
  EXPECT_EQ(materials[4]->IsMaterial()->edge, 1);

  // The model named as a texture was not imported into the branch.
  const std::vector<VoIItem*> polygons = Children(c, VoIPolygon::CLASS_ID);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_FALSE(c->IsRelease());
  VoIPolygon* body = polygons[0]->IsPolygon();
  ASSERT_EQ(body->GetNumVertex(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(body->GetVertex()->GetFix(i), VoVertex::FIX_RIGID);
  // The face with a corner beyond the vertices is dropped.
  ASSERT_EQ(body->GetNumFace(), 3u);
  const VoFace* f = body->GetFace();
  EXPECT_EQ(f->array[0].GetCount(), 3);
  EXPECT_EQ(f->array[0].material.Get(), materials[2]);
  EXPECT_FLOAT_EQ(f->array[0].uv[2][1], 1.0f);
  EXPECT_EQ(f->array[1].GetCount(), 4);
  EXPECT_EQ(f->array[1].material.Get(), nullptr) << "material number out of range";
  EXPECT_EQ(f->array[2].GetCount(), 2);
  EXPECT_EQ(f->array[2].index[1], 3u);
  EXPECT_EQ(f->array[2].material.Get(), materials[2]);
}

// Log lines "インポート: <path>" of image files: the texture decodes tried.
int ImageImports(const std::string& log) {
  int n = 0;
  for (size_t at = log.find("インポート: "); at != std::string::npos; at = log.find("インポート: ", at + 1)) {
    const std::string line = log.substr(at, log.find('\n', at) - at);
    n += line.size() > 4 && (line.compare(line.size() - 4, 4, ".bmp") == 0 || line.compare(line.size() - 4, 4, ".BMP") == 0);
  }
  return n;
}

TEST_F(MqoBuilder, EachImageFileIsReadOnceWhateverItsSpelling) {
  scratch.Put("skin.bmp", TinyBmp());
  std::filesystem::create_directories(Scratch("sub"));
  const struct Row {
    const char* tex;
    bool found;
  } rows[] = {
      {"skin.bmp", true},     {"./skin.bmp", true},     {"././skin.bmp", true}, {"SKIN.BMP", true},
      {".//Skin.bmp", true},  {"sub/../skin.bmp", true}, {"sub\\..\\skin.bmp", true},
      {"gone.bmp", false},    {"./GONE.BMP", false},    {"Sub/../Gone.bmp", false},
  };
  std::string materials = "Material " + std::to_string(std::size(rows)) + " {\r\n";
  for (const Row& row : rows) materials += std::string("\t\"m\" tex(\"") + row.tex + "\")\r\n";
  FrxTest::LogCapture log;
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  ASSERT_EQ(ImportText(Document(materials + "}\r\n"), c), c);

  const std::vector<VoIItem*> textures = Children(c, VoITexture::CLASS_ID);
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_STREQ(textures[0]->GetName(), "skin.bmp") << "named as the first material names it";
  const std::vector<VoIItem*> made = Children(c, VoIMaterial::CLASS_ID);
  ASSERT_EQ(made.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(made[i]->IsMaterial()->texture.Get(), rows[i].found ? textures[0] : nullptr) << rows[i].tex;
  EXPECT_EQ(ImageImports(log.Text()), 1) << "one decode of skin.bmp, none of the missing gone.bmp\n" << log.Text();
  EXPECT_EQ(log.Count("テクスチャ \"gone.bmp\" のファイルが見つかりません。"), 1) << log.Text();
}

TEST_F(MqoBuilder, WhatTheReaderPassesOverIsLoggedWithItsPlace) {
  // Chunks start on line 4, after the header lines.
  const std::string object = "Object \"kept\" {\n vertex 3 {\n0 0 0\n1 0 0\n0 1 0\n }\n";
  std::string longBlock = "Object \"kept\" {\n vertex 10004 {\n0 0 0\n1 0 0\n0 1 0\nx\n";
  for (int i = 0; i < 10000; ++i) longBlock += "0 0 1\n";
  longBlock += " }\n face 3 {\n3 V(0 1 2)\n3 V(0 1 3)\n3 V(3 4 5)\n }\n}\n";
  const struct Row {
    const char* what;
    std::string chunks;
    std::vector<std::string> lines;  // logged after the path
  } rows[] = {
      {"tab in a name", "Object \"a\tb\" {\n vertex 1 {\n0 0 0\n}\n}\n" + object + "}\n",
       {"(4): 名前を読めないオブジェクトを読み飛ばしました (1 箇所、5 行)。"}},
      {"line breaks in names", "\nObject \"a\nb\" {\n}\nObject \"c\r\nd\" {\n}\n" + object + "}\n",
       {"(5): 名前を読めないオブジェクトを読み飛ばしました (2 箇所、2 行)。"}},
      {"materials past the count", "Material 1 {\n\"a\"\n\"b\"\n\"c\"\n}\n" + object + "}\n",
       {"(6): 材質の行を読み飛ばしました (1 箇所、2 行)。"}},
      {"a line that is no vertex", "Object \"kept\" {\n vertex 3 {\n0 0 0\nx\n0 1 0\n }\n}\n",
       {"(7): 頂点の行を読み飛ばしました (1 箇所、2 行)。"}},
      {"a bad line early in a long block, and the faces on what it dropped", longBlock,
       {"(4): ない頂点を指す面を読み飛ばしました (2 箇所、2 行)。", "(9): 頂点の行を読み飛ばしました (1 箇所、10001 行)。"}},
      {"five corners and none", object + " face 3 {\n5 V(0 1 2 0 1)\n3 V(0 1 2)\nx\n }\n}\n",
       {"(11): 面を読み飛ばしました (2 箇所、2 行)。"}},
      {"corners the object lacks", object + " face 2 {\n3 V(0 1 2)\n3 V(0 1 3)\n }\n}\n",
       {"(4): ない頂点を指す面を読み飛ばしました (1 箇所、1 行)。"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    FrxTest::LogCapture log;
    VoICharacter* c = Make<VoICharacter>(nullptr, "c");
    ASSERT_EQ(ImportText(Document(row.chunks), c), c) << "what can be read is kept";
    EXPECT_NE(Find(c, "kept"), nullptr);
    EXPECT_EQ(log.Count("を読み飛ばしました"), int(row.lines.size())) << log.Text();
    for (const std::string& line : row.lines)
      EXPECT_TRUE(log.Contains("　　" + Scratch("model.mqo") + line)) << line << "\n" << log.Text();
  }
}

// Stands in for a plug-in's item class: records the constructions offered.
class RecordingDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "Recording"; }
  unsigned long ClassID() override { return 900; }
  unsigned long ParentClassID() override { return 1; }
  VoIItem* Create(VoIBranch* parent) override { return new VoIItem(parent); }
  void ImportConstruction(VoIBranch* branch, VoIBranch* parent) override {
    calls.push_back(branch);
    sawPolygon = sawPolygon || (branch && branch->GetItem("hand") != nullptr);
    parents.push_back(parent);
  }
  std::vector<VoIBranch*> calls, parents;
  bool sawPolygon = false;
};

// The skeleton, bindings and nesting are pictured by the golden folders.
TEST_F(MqoBuilder, EveryItemClassIsOfferedTheFinishedBranch) {
  RecordingDesc recording;
  master.RegistClassDesc(&recording);
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  ASSERT_EQ(ImportText(Document("Object \"hand\" {\r\n\tvertex 1 {\r\n\t\t0 0 0\r\n\t}\r\n}\r\n"), c), c);
  ASSERT_EQ(recording.calls.size(), 1u);
  EXPECT_EQ(recording.calls[0], c);
  EXPECT_EQ(recording.parents[0], nullptr);
  EXPECT_TRUE(recording.sawPolygon);
}

TEST_F(MqoBuilder, FailuresReportAndLeaveTheBranchAsItWas) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  Make<VoIMaterial>(c, "old");
  struct Row {
    const char* what;
    std::string text;
    std::string box;
  } rows[] = {
      {"newer version", "Metasequoia Document\r\nFormat Text Ver 1.1\r\nEof\r\n",
       "対応している MQO 形式ではありません。\n"},
      {"cut file", Document("Object \"o\" {\r\n\tvertex 1 {\r\n").substr(0, 60), "インポート中にエラーが発生しました。"},
  };
  for (const Row& row : rows) {
    boxes.Clear();
    EXPECT_EQ(ImportText(row.text, c), nullptr) << row.what;
    ASSERT_EQ(boxes.Count(), 1) << row.what;
    EXPECT_EQ(boxes.Texts()[0].compare(0, row.box.size(), row.box), 0) << boxes.Texts()[0];
    EXPECT_FALSE(c->IsRelease());
    EXPECT_EQ(c->GetChildCount(), 1) << row.what;
  }
  boxes.Clear();
  const std::string missing = Scratch("missing.mqo");
  EXPECT_EQ(master.Import(missing.c_str(), c, 0), nullptr);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Texts()[0], "ファイルが読み込めません。\nファイル名:" + missing);
  EXPECT_EQ(ImportText(Document(""), nullptr), nullptr) << "no branch to build into";
  EXPECT_EQ(c->GetChildCount(), 1);
}

}  // namespace
}  // namespace pelarntest
