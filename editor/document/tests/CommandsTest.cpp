#include <gtest/gtest.h>

#include "editor/document/Playback.h"
#include "editor/testing/EditorFixture.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoINote.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

class DocumentTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
  }
  // A character under "project" with a skeleton, a coordinate and a motion.
  VoICharacter* Posable(const char* name) {
    VoICharacter* c = doc->NewCharacter(doc->project);
    c->SetName(name);
    VoISkelton* s = Make<VoISkelton>(c, "skelton");
    Make<VoICoordinate>(s, "hip");
    VoIMotion* m = doc->NewMotion(c);
    m->SetName("m");
    c->SetMotion(m);
    return c;
  }
};

TEST_F(DocumentTest, StartupSceneHoldsTheFixedCharacters) {
  EXPECT_STREQ(doc->project->GetName(), "project");
  EXPECT_EQ(doc->current.Get(), doc->project.Get());
  VoICharacter* g = doc->general;
  auto* eye = g->GetSkelton()->GetItem("maincamera")->IsCoordinate();
  ASSERT_NE(eye, nullptr);
  EXPECT_FLOAT_EQ(eye->GetPos().x, 1440.0f);
  auto* camera = g->GetItem("camera")->IsCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(camera->GetCoordinate(), eye);
  EXPECT_EQ(g->GetItem("light")->IsLight()->GetType(), 0);
  VoINote* note = g->GetItem("操作方法")->IsNote();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->IsLock());
  EXPECT_NE(std::string(note->GetText()).find("'G' キー"), std::string::npos);
  EXPECT_STREQ(doc->copyMotion->GetName(), "copy");
  EXPECT_EQ(doc->copyMotion->GetParent(), g);
}

TEST_F(DocumentTest, DeleteRefusesTheEditorsOwnItemsAndKeepsAScope) {
  for (VoIItem* own : {static_cast<VoIItem*>(doc->project.Get()), static_cast<VoIItem*>(doc->general.Get()),
                       static_cast<VoIItem*>(doc->copyMotion.Get())}) {
    host().ClickSelect(own, 0);
    doc->OnDelete();
    EXPECT_FALSE(own->IsRelease());
  }
  EXPECT_EQ(boxes.Count(), 3);
  {
    // Other kinds are refused; asked-for kinds go only on Yes.
    host().ClickSelect(doc->general->GetItem("light"), 0);
    doc->OnDelete();
    EXPECT_TRUE(boxes.Saw("を削除することはできません。"));
    VoICharacter* outer = Posable("outer");
    boxes.Answer(IDNO);
    host().ClickSelect(outer, 0);
    doc->OnDelete();
    EXPECT_FALSE(outer->IsRelease());
  }
  {
    // Deleting the scoped character, or one above it, scopes the character above.
    VoRefer<VoICharacter> outer = Posable("outer2");  // kept to look at after its release
    VoICharacter* inner = doc->NewCharacter(outer);
    host().SetCurrentCharacter(inner);
    boxes.Answer(IDYES);
    host().ClickSelect(inner, 0);
    doc->OnDelete();
    EXPECT_EQ(doc->current.Get(), outer);
    VoICharacter* inner2 = doc->NewCharacter(outer);
    host().SetCurrentCharacter(inner2);
    boxes.Answer(IDYES);
    host().ClickSelect(outer, 0);
    doc->OnDelete();
    EXPECT_TRUE(outer.GetRaw()->IsRelease());
    EXPECT_EQ(doc->current.Get(), doc->project.Get());
    EXPECT_EQ(host().GetSelectedItem(), nullptr);
  }
}

TEST_F(DocumentTest, PoseCopyAndPasteGoThroughTheCopyMotion) {
  VoICharacter* c = Posable("c");
  host().SetCurrentCharacter(c);
  auto* hip = c->GetSkelton()->GetItem("hip")->IsCoordinate();
  host().ClickSelect(hip, 0);
  hip->SetPos(Frx::Pvector(1.0f, 2.0f, 3.0f));
  doc->CopyPose();
  EXPECT_GT(doc->copyMotion->GetControlSize(), 0);
  hip->SetPos(Frx::Pvector(9.0f, 9.0f, 9.0f));
  doc->deferred.clear();
  doc->PastePose();
  EXPECT_FLOAT_EQ(hip->GetPos().y, 2.0f);
  ASSERT_EQ(doc->deferred.size(), 1u);
  EXPECT_EQ(doc->deferred.front().Get(), c->GetSkelton());
  EXPECT_EQ(boxes.Count(), 0);  // no key at the frame: nothing asked
  {
    // Without a motion of its own, paste does nothing at all.
    c->SetMotion(nullptr);
    hip->SetPos(Frx::Pvector(5.0f, 5.0f, 5.0f));
    doc->deferred.clear();
    doc->PastePose();
    EXPECT_FLOAT_EQ(hip->GetPos().y, 5.0f);
    EXPECT_TRUE(doc->deferred.empty());
  }
}

TEST_F(DocumentTest, ItemCommandsToggleAndQueue) {
  VoIItem* light = doc->general->GetItem("light");
  host().ClickSelect(light, 0);
  doc->OnHide();
  doc->OnLock();
  EXPECT_EQ(light->IsHide(), 1);
  EXPECT_NE(light->IsLock(), 0);
  doc->OnLock();
  EXPECT_EQ(light->IsLock(), 0);
  VoICharacter* c = Posable("c");
  host().ClickSelect(c, 0);
  // Each new motion is named "motion", made unique among the character's
  // motions with the first free "[nn]"; it becomes the character's motion.
  for (const char* name : {"motion", "motion[00]", "motion[01]"}) {
    VoIMotion* before = c->GetMotion();
    doc->OnNewMotion();
    ASSERT_NE(c->GetMotion(), before) << name;
    EXPECT_STREQ(c->GetMotion()->GetName(), name);
    EXPECT_EQ(c->GetMotion()->GetParent(), c) << name;
  }
  doc->QueueDeferred(nullptr);
  EXPECT_EQ(doc->deferred.back().Get(), c->GetMotion());
  doc->OnReload();
  EXPECT_TRUE(boxes.Saw("リロードはできません"));
}

}  // namespace
