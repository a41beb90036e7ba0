// An MQO model with "morph:", "select:", "select(...):" and "skin:" objects,
// imported through the loaded modules as the editor loads them: the items are
// built, blend, select and glue, and each is named by its own descriptor
// though VertexBlender and Drapeler share class id 139.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/Near.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using V = Frx::Pvector;

std::string Object(const char* name, const std::vector<V>& v) {
  char line[128];
  std::string s = std::string("Object \"") + name + "\" {\r\n\tvertex " + std::to_string(v.size()) + " {\r\n";
  for (const V& p : v) {
    std::snprintf(line, sizeof line, "\t\t%g %g %g\r\n", p.x, p.y, p.z);
    s += line;
  }
  return s + "\t}\r\n\tface 1 {\r\n\t\t3 V(0 1 2)\r\n\t}\r\n}\r\n";
}

std::string Model() {
  const std::vector<V> tri = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  return "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n" +
         Object("morph:face", {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}) +
         Object("smile|face", {{4, 0, 0}, {4, 4, 0}, {0, 4, 0}}) +
         Object("frown|face", {{0, 8, 0}, {4, 0, 8}, {0, 4, 4}}) + Object("select(open):door", tri) +
         Object("open|door", tri) + Object("closed|door", tri) + Object("select:lamp", tri) +
         Object("on|lamp", tri) + Object("off|lamp", tri) +
         Object("skin:arm", {{1, 0, 0}, {2, 0, 0}, {9, 9, 9}}) +
         Object("upper|arm", {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}}) +
         Object("lower|arm", {{2, 0, 0}, {0, 0, 0}, {0, 1, 0}}) + "Eof\r\n";
}

std::vector<std::string> ChildNames(VoIItem* item) {
  std::vector<std::string> names;
  VoIBranch* b = item ? item->IsBranch() : nullptr;
  for (VoIItem* c = b ? b->GetFirstChild() : nullptr; c; c = b->GetNextChild(c)) names.emplace_back(c->GetName());
  return names;
}

void ExpectPositions(VoIItem* item, const std::vector<V>& expected) {
  VoIPolygon* p = item ? item->IsPolygon() : nullptr;
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->GetNumVertex(), expected.size());
  for (size_t j = 0; j < expected.size(); ++j) EXPECT_TRUE(FrxTest::Near(p->GetVertexArray(j), expected[j])) << j;
}

TEST(SceneImport, SpeciallyNamedObjectsBecomeBlendersSelectersAndSkins) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  FrxTest::TempFolder folder;
  folder.Put("specials.mqo", Model());
  const std::string path = folder.Native("specials.mqo");
  // Either load order: the shared id must not decide any item's name.
  for (bool uveskFirst : {true, false}) {
    SCOPED_TRACE(uveskFirst);
    VoMaster master;
    ASSERT_EQ(master.Initialize(nullptr), 1);
    ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
    ASSERT_EQ(master.LoadPlugin(uveskFirst ? "plugins\\uvesk.dll" : "plugins\\drapel.dll"), 1);
    ASSERT_EQ(master.LoadPlugin(uveskFirst ? "plugins\\drapel.dll" : "plugins\\uvesk.dll"), 1);
    auto* c = master.NewItem<VoICharacter>(nullptr);
    c->SetName("model");
    ASSERT_EQ(master.Import(path.c_str(), c, 0), c);
    master.CountUpdate();
    master.Animation(c, Frx::Pmatrix::id, 0.0f);

    // morph:face over smile|face and frown|face, weighed 2, 1, 1.
    VoIItem* face = c->GetItem("face");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(ChildNames(face), (std::vector<std::string>{"base", "smile", "frown", "wait control"}));
    VoIItem* control = face->IsBranch()->GetItem("wait control");
    ASSERT_TRUE(control && control->GetClassID() == VoIValue::CLASS_ID);
    auto* weights = static_cast<VoIValue*>(control);
    ASSERT_EQ(weights->count, 3u);
    for (unsigned long i = 0; i < 3; ++i) weights->SetValue(i, i == 0 ? 2.0f : 1.0f);
    master.CountUpdate();
    master.Animation(c, Frx::Pmatrix::id, 0.0f);
    ExpectPositions(face, {{1, 2, 0}, {4, 1, 2}, {0, 4, 1}});

    VoIItem* door = c->GetItem("door");
    VoIItem* lamp = c->GetItem("lamp");
    ASSERT_TRUE(door && lamp);
    Frx::Pstring select;
    EXPECT_TRUE(door->GetParam("select", select) && select == "open");
    EXPECT_EQ(ChildNames(door), (std::vector<std::string>{"open", "closed"}));
    EXPECT_TRUE(lamp->GetParam("select", select) && select == "default");
    EXPECT_EQ(ChildNames(lamp), (std::vector<std::string>{"on", "off", "default"}));

    // Without bones the pieces follow the world root: placing the character
    // moves the glued skin vertices, not the loose one.
    VoIItem* arm = c->GetItem("arm");
    ASSERT_NE(arm, nullptr);
    EXPECT_EQ(ChildNames(arm), (std::vector<std::string>{"anchor", "upper", "lower"}));
    Frx::Pmatrix placed = Frx::Pmatrix::id;
    placed._42 = 5;
    master.CountUpdate();
    master.Animation(c, placed, 0.0f);
    ExpectPositions(arm->IsBranch()->GetItem("anchor"), {{1, 5, 0}, {2, 5, 0}, {9, 9, 9}});

    // Each named by its own descriptor; only the blender is a polygon.
    const struct {
      VoIItem* item;
      const char* name;
      int polygon;
    } named[] = {{face, "VertexBlender", 1}, {door, "ObjectSelecter", 0}, {arm, "Drapeler", 0}};
    for (const auto& n : named) {
      EXPECT_STREQ(n.item->GetClassNameA(), n.name);
      EXPECT_EQ(votest::SaveText(n.item).rfind(std::string(n.name) + " {", 0), 0u) << n.name;
      EXPECT_EQ(master.IsSubclass(n.item, 36), n.polygon) << n.name;
    }
    EXPECT_STREQ(arm->GetNameEx().Get(), "Drapeler");

    master.ReleaseItem(c);
    master.Uninitialize();
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

// At the nesting limit a "morph:", "select:" or "skin:" mesh with nothing
// below it cannot go one level down under its blender, selecter or drapeler:
// each stays the plain mesh it was, and nothing lies past the limit.
TEST(SceneImport, SpecialMeshesAtTheLimitStayPlain) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  FrxTest::TempFolder folder;
  const std::vector<V> tri = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  folder.Put("low.mqo", "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n" + Object("morph:face", tri) +
                            Object("select:lamp", tri) + Object("skin:arm", tri) + "Eof\r\n");
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  for (const char* module : {"plugins\\pelarn.dll", "plugins\\uvesk.dll", "plugins\\drapel.dll"})
    ASSERT_EQ(master.LoadPlugin(module), 1);
  auto* root = master.NewItem<VoICharacter>(nullptr);
  VoIBranch* c = root;
  for (int i = 0; i < VoIBranch::MaxDepth - 1; ++i) c = master.NewItem<VoICharacter>(c);
  FrxTest::LogCapture log;
  ASSERT_EQ(master.Import(folder.Native("low.mqo").c_str(), c, 0), c);
  master.CountUpdate();
  master.Animation(root, Frx::Pmatrix::id, 0.0f);
  EXPECT_EQ(ChildNames(c), (std::vector<std::string>{"morph:face", "select:lamp", "skin:arm"}));
  for (VoIItem* mesh = c->GetFirstChild(); mesh; mesh = c->GetNextChild(mesh)) {
    EXPECT_NE(mesh->IsPolygon(), nullptr) << mesh->GetName();
    EXPECT_EQ(ChildNames(mesh), std::vector<std::string>{}) << mesh->GetName();
  }
  EXPECT_EQ(log.Count("の階層が深すぎるため"), 2) << log.Text();
  EXPECT_EQ(log.Count("段を超えるためリンクできません"), 1) << log.Text();
  master.ReleaseItem(root);
  master.Uninitialize();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

}  // namespace
