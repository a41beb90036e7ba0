// The companion factory and the camera, value and selecter companions,
// reached as the view reaches them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/extend/GuiItemExtend.h"
#include "editor/extend/GuiObjectSelecter.h"
#include "editor/extend/GuiValue.h"
#include "editor/manip/testing/ViewFixture.h"
#include "vocore/motion/VoIControlBool.h"
#include "vocore/motion/VoIControlFloat.h"
#include "vocore/motion/VoIControlInt.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISiblingBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"
#include "vocore/vocore/VoClassDescItem.h"

namespace {

// A stand-in for the plug-in's object selecter: class 141 under Object, its
// choice in the string parameter "select".
class TestSelecter : public VoIObject {
 public:
  explicit TestSelecter(VoIBranch* parent) : VoIObject(parent) {
    if (!registered) {
      Parameter p(Parameter::TYPE_STRING, 0, "select",
                  static_cast<uint32_t>(reinterpret_cast<char*>(&select) - reinterpret_cast<char*>(static_cast<VoIItem*>(this))),
                  0, "select");
      desc.AddParameter(p);
      registered = true;
    }
  }
  VoItemClassDesc& GetClassDesc() override { return desc; }
  unsigned long GetClassID() override { return 141; }

  std::string select;
  static inline VoItemClassDesc desc{"ObjectSelecter", 141};
  static inline bool registered = false;
};

class TestSelecterDesc : public VoClassDescItem {
 public:
  const char* ClassName() override { return "ObjectSelecter"; }
  unsigned long ClassID() override { return 141; }
  unsigned long ParentClassID() override { return 33; }
  VoIItem* Create(VoIBranch* parent) override { return new TestSelecter(parent); }
};

class CompanionTest : public mtest::ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    static TestSelecterDesc selecterDesc;
    master.RegistClassDesc(&selecterDesc);
    character = NewCharacter("c");
  }
  static const char* NameOf(VoIItem* item) {
    ItemGui* gui = GetItemGui(item);
    return gui && gui->GetName() ? gui->GetName() : "";
  }
  int Queued(VoIItem* item) const {
    int n = 0;
    for (VoIItem* q : doc->deferred) n += q == item;
    return n;
  }

  VoICharacter* character = nullptr;
};

TEST_F(CompanionTest, EachClassGetsItsCompanion) {
  VoISkelton* s = SkeletonOf(character);
  VoIMotion* m = Make<VoIMotion>(character, "m");
  struct Case {
    VoIItem* item;
    const char* name;
  } cases[] = {
      {character, "PUI-Character"},
      {Make<VoILocate>(s, "l"), "GUI-Locate"},
      {Make<VoICoordinate>(s, "c"), "GUI-Coordinate"},
      {Make<VoIBone>(s, "b"), "GUI-Bone"},
      {Make<VoIWLocate>(s, "w"), "GUI-WLocate"},
      {Make<VoISiblingBone>(s, "sb"), "GUI-SiblingBone"},
      {Make<VoICamera>(character, "cam"), "GUI-Camera"},
      {Make<VoIValue>(character, "v"), "GUI-Value"},
      {m, "PUI-Motion"},
      {Make<VoIControlVector>(m, "cv"), "PUI-KeyControl"},
      {Make<VoIControlQuaternion>(m, "cq"), "PUI-KeyControl"},
      {Make<VoIControlRefer>(m, "cr"), "PUI-KeyControl"},
      {Make<VoIControlBool>(m, "cbool"), "PUI-KeyControl"},
      {Make<TestSelecter>(character, "sel"), "GUI-ObjectSelecter"},
      {Make<VoIControlString>(m, "cs"), ""},
      {Make<VoIControlInt>(m, "ci"), ""},
      {Make<VoIControlFloat>(m, "cf"), ""},
      {Make<VoIControlTime>(m, "ct"), ""},
      {s, ""},
  };
  for (const Case& k : cases) {
    ASSERT_NE(dynamic_cast<GuiItemExtend*>(k.item->GetExtend()), nullptr) << k.name;
    EXPECT_STREQ(NameOf(k.item), k.name) << k.item->GetName();
  }
  {
    // A second extension for the same item replaces the first, and its companion goes.
    VoIItem* l = cases[1].item;
    VoRefer<ItemGui> first = GetItemGui(l);
    master.CreateItemExtend(l);
    EXPECT_EQ(first->GetRefCount(), 1u);  // only ours is left
    EXPECT_NE(GetItemGui(l), first.Get());
    EXPECT_STREQ(NameOf(l), "GUI-Locate");
  }
}

TEST_F(CompanionTest, CamerasBecomeTheViewOnlyWhenAsked) {
  VoICamera* camera = Make<VoICamera>(character, "cam");
  host().ClickSelect(camera, 0);
  EXPECT_EQ(host().GetViewCamera(), nullptr);
  EXPECT_EQ(GetItemGui(camera)->HitTest(0.0f, 0.0f, 0), ItemGui::NoHit);
  host().ClickSelect(camera, 1);
  EXPECT_EQ(host().GetViewCamera(), camera);
}

TEST_F(CompanionTest, ValueSlidersAreReachedThroughTheCharacter) {
  VoIBranch* mesh = Make<VoIObject>(character, "face");
  VoIValue* v = Make<VoIValue>(mesh, "wait control");
  v->CreateValueTable(3);
  for (unsigned long i = 0; i < 3; ++i) SetValueEntry(v, i, 0.5f);
  auto* gui = dynamic_cast<GuiValue*>(GetItemGui(v));
  ASSERT_NE(gui, nullptr);
  {
    // Not selected: no list, no hit.
    DrawSelected();
    EXPECT_EQ(gui->HitTest(300.0f, 30.0f, 0), ItemGui::NoHit);
  }
  host().ClickSelect(v, 0);
  view->draw.SetIndent();
  DrawSelected();  // the frame loop's draw reaches the value item and lays out its list
  EXPECT_FLOAT_EQ(gui->left, 160.0f);
  EXPECT_FLOAT_EQ(gui->top, 16.0f);
  EXPECT_EQ(gui->HitTest(gui->left + 128.0f, gui->top + 16.0f, 0), 0.0f);
  const float row1 = gui->top + 9.0f;
  struct Step {
    MouseRecord record;
    float entry1;
  } steps[] = {
      {Press(gui->left + 64.0f, row1), 0.25f},
      {Move(gui->left + 400.0f, row1 + 30.0f, 336.0f, 30.0f), 1.0f},  // past the right end
      {Move(gui->left - 50.0f, row1, -450.0f, 0.0f), 0.0f},          // past the left end
      {Release(gui->left - 50.0f, row1), 0.0f},
      {Move(gui->left + 128.0f, row1, 178.0f, 0.0f, 0), 0.0f},        // no button: nothing
      {Press(gui->left + 128.0f, gui->top - 3.0f), 0.0f},             // above the list: no row
      {Move(gui->left + 200.0f, gui->top - 3.0f, 72.0f, 0.0f), 0.0f},
      {Press(gui->left + 128.0f, gui->top + 8.0f * 3 + 1.0f), 0.0f},  // below the last row
      {Move(gui->left + 200.0f, gui->top + 25.0f, 72.0f, 0.0f), 0.0f},
  };
  for (const Step& s : steps) {
    Dispatch(s.record);
    EXPECT_FLOAT_EQ(ValueEntry(v, 1), s.entry1) << s.record.x << "," << s.record.y;
    EXPECT_FLOAT_EQ(ValueEntry(v, 0), 0.5f);
    EXPECT_FLOAT_EQ(ValueEntry(v, 2), 0.5f);
  }
  EXPECT_EQ(Queued(v), 0);  // sliders are not keyed
}

TEST_F(CompanionTest, SelectersChooseAChildOnce) {
  auto* sel = Make<TestSelecter>(character, "door");
  sel->select = "open";
  VoIObject* open = Make<VoIObject>(sel, "open");
  VoIObject* closed = Make<VoIObject>(sel, "closed");
  auto* gui = dynamic_cast<GuiObjectSelecter*>(GetItemGui(sel));
  ASSERT_NE(gui, nullptr);
  {
    // Picking a child chooses it; more records while it stays picked queue nothing more.
    host().ClickSelect(closed, 0);
    for (int i = 0; i < 3; ++i) Dispatch(Move(1.0f, 1.0f, 1.0f, 0.0f, 0));
    EXPECT_EQ(sel->select, "closed");
    EXPECT_EQ(Queued(sel), 1);
  }
  host().ClickSelect(sel, 0);
  Clear(0x203040);
  DrawSelected();
  // No child has a coordinate: the list hangs at the world origin's window position.
  const Frx::Pvector origin = Window(Frx::Pvector(0.0f, 0.0f, 0.0f));
  EXPECT_FLOAT_EQ(gui->anchor.x, origin.x);
  EXPECT_FLOAT_EQ(gui->anchor.y, origin.y);
  EXPECT_EQ(gui->children, 2);
  // The dark box under the names, 264 pixels wide from 4 left of the anchor.
  EXPECT_NE(Pixel(static_cast<int>(origin.x) + 200, static_cast<int>(origin.y) + 8), 0x203040u);
  EXPECT_EQ(Pixel(static_cast<int>(origin.x) + 270, static_cast<int>(origin.y) + 8), 0x203040u);
  struct Press_ {
    float dy;
    const char* chosen;
  } presses[] = {{-8.0f, "closed"}, {3.0f, "open"}, {20.0f, "closed"}, {40.0f, "closed"}};
  for (const Press_& p : presses) {
    Dispatch(Press(gui->anchor.x + 10.0f, gui->anchor.y + p.dy));
    Dispatch(Release(gui->anchor.x + 10.0f, gui->anchor.y + p.dy));
    EXPECT_EQ(sel->select, p.chosen) << p.dy;
  }
  EXPECT_EQ(Queued(sel), 3);
  (void)open;
}

}  // namespace

namespace {

// The selecter of the morph plug-in, made by class id from its module as the
// editor makes it: only the engine's interfaces are used.
class PlugInSelecterTest : public mtest::ViewFixture {};

TEST_F(PlugInSelecterTest, TheModulesSelecterIsChosenThroughItsParameter) {
  ASSERT_EQ(master.LoadPlugin("plugins\\uvesk.dll"), 1);
  VoICharacter* character = NewCharacter("c");
  VoIItem* sel = master.CreateItem(GuiObjectSelecter::ClassId, character);
  ASSERT_NE(sel, nullptr);
  sel->SetName("lamp");
  VoIObject* on = Make<VoIObject>(sel->IsBranch(), "on");
  Make<VoIObject>(sel->IsBranch(), "off");
  auto* gui = dynamic_cast<GuiObjectSelecter*>(GetItemGui(sel));
  ASSERT_NE(gui, nullptr);
  EXPECT_STREQ(gui->GetName(), "GUI-ObjectSelecter");
  host().ClickSelect(on, 0);
  Dispatch(Move(1.0f, 1.0f, 1.0f, 0.0f, 0));
  EXPECT_EQ(gui->Chosen(), "on");
  host().ClickSelect(sel, 0);
  DrawSelected();
  EXPECT_EQ(gui->children, 2);
  Dispatch(Press(gui->anchor.x + 10.0f, gui->anchor.y + 20.0f));  // the second row
  Dispatch(Release(gui->anchor.x + 10.0f, gui->anchor.y + 20.0f));
  EXPECT_EQ(gui->Chosen(), "off");
  Frx::Pstring text;
  ASSERT_TRUE(sel->GetParam("select", text));
  EXPECT_STREQ(text.Get(), "off");
}

}  // namespace
