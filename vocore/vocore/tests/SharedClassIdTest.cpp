// Plug-ins of different makers may register different classes under one id
// (a blender and a skin modifier share 139): every item is still named by its
// own descriptor when saved or shown.
#include <gtest/gtest.h>

#include <string>

#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

namespace {

class Blend : public VoIPolygon {
 public:
  using VoIPolygon::VoIPolygon;
  unsigned long GetClassID() override { return 139; }
};

class Drape : public VoIModifier {
 public:
  using VoIModifier::VoIModifier;
  unsigned long GetClassID() override { return 139; }
};

template <class T>
class SharedDesc : public VoClassDescItem {
 public:
  SharedDesc(const char* name, unsigned long parent) : name_(name), parent_(parent) {}
  const char* ClassName() override { return name_; }
  unsigned long ClassID() override { return 139; }
  unsigned long ParentClassID() override { return parent_; }
  VoIItem* Create(VoIBranch* parent) override { return new T(parent); }

 private:
  const char* name_;
  unsigned long parent_;
};

TEST(SharedClassId, EachItemIsNamedByItsOwnDescriptor) {
  SharedDesc<Blend> blendDesc("Blend", 36);
  SharedDesc<Drape> drapeDesc("Drape", 34);
  // Whichever registers first answers lookups by id alone; items find their own.
  for (bool blendFirst : {true, false}) {
    SCOPED_TRACE(blendFirst ? "blend first" : "drape first");
    VoMaster master;
    ASSERT_EQ(master.Initialize(nullptr), 1);
    master.RegistClassDesc(blendFirst ? static_cast<VoClassDesc*>(&blendDesc) : &drapeDesc);
    // Looked up before the second comes: lookups after it still see both.
    EXPECT_EQ(master.GetClassDescItem(139ul), blendFirst ? static_cast<VoClassDescItem*>(&blendDesc) : &drapeDesc);
    master.RegistClassDesc(blendFirst ? static_cast<VoClassDesc*>(&drapeDesc) : &blendDesc);

    auto* polygon = master.NewItem<VoIPolygon>(nullptr);
    polygon->SetName("arm");
    VoIItem* blend = master.CreateItem("Blend", polygon);
    VoIItem* drape = master.CreateItem("drape", polygon);
    ASSERT_NE(blend, nullptr);
    ASSERT_NE(drape, nullptr);
    blend->SetName("face");
    drape->SetName("skin");

    EXPECT_STREQ(master.GetClassNameA(139ul), blendFirst ? "Blend" : "Drape");
    EXPECT_EQ(master.GetClassDescItem(blend), &blendDesc);
    EXPECT_EQ(master.GetClassDescItem(drape), &drapeDesc);
    EXPECT_STREQ(blend->GetClassNameA(), "Blend");
    EXPECT_STREQ(drape->GetNameEx().Get(), "Drape");
    EXPECT_EQ(votest::SaveText(polygon),
              "Polygon {\n\tname = \"arm\"\n"
              "\tBlend {\n\t\tname = \"face\"\n\t}\n"
              "\tDrape {\n\t\tname = \"skin\"\n\t}\n"
              "}\n");
    master.ReleaseItem(polygon);
    master.Uninitialize();
    EXPECT_EQ(master.GetClassDescItem(139ul), nullptr);
  }
}

}  // namespace
