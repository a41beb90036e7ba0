// Scene items: class marks, object coordinates through copy and text, light
// lines, value tables, path holders and owned render objects.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "vocore/persist/VoLoad.h"
#include "vocore/render/VoRenderState.h"
#include "vocore/scene/VoExFile.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoIInstance.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/scene/VoINote.h"
#include "vocore/scene/VoIScript.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/vocore/VoMaster.h"

namespace {

class SceneObjectTest : public votest::MasterFixture {
 protected:
  void Load(VoIItem* item, const char* block, const std::string& text) { votest::LoadBlock(item, block, text); }
};

TEST_F(SceneObjectTest, ClassMarksOfEveryItem) {
  VoIBranch* root = Make<VoIBranch>(nullptr, "root");
  struct Mark {
    VoIItem* item;
    unsigned long id, icon;
    unsigned short state;
    VoItemClassDesc* desc;
  };
  const Mark marks[] = {
      {Make<VoIObject>(root, "o"), 33, 17, 0, &VoIObject::classDesc},
      {Make<VoIFile>(root, "f"), 4, 27, 0x20, &VoIFile::classDesc},
      {Make<VoIInstance>(root, "i"), 5, 18, 0, &VoIItem::classDesc},
      {Make<VoIModifier>(root, "m"), 34, 0, 0, &VoIItem::classDesc},
      {Make<VoICamera>(root, "c"), 37, 11, 0x20, &VoIObject::classDesc},
      {Make<VoILight>(root, "l"), 38, 19, 0x20, &VoILight::classDesc},
      {Make<VoIMaterial>(root, "mat"), 67, 8, 0x10, &VoIItem::classDesc},
      {Make<VoITexture>(root, "tex"), 65, 7, 0x10, &VoIItem::classDesc},
      {Make<VoINote>(root, "n"), 68, 10, 0, &VoINote::classDesc},
      {Make<VoIScript>(root, "s"), 70, 10, 0, &VoINote::classDesc},
      {Make<VoIValue>(root, "v"), 69, 31, 0, &VoIItem::classDesc},
  };
  for (const Mark& m : marks) {
    SCOPED_TRACE(m.item->GetName());
    EXPECT_EQ(m.item->GetClassID(), m.id);
    EXPECT_EQ(m.item->GetNumIcon(), m.icon);
    EXPECT_EQ(m.item->GetState(), m.state);
    EXPECT_EQ(&m.item->GetClassDesc(), m.desc);
  }
  // Each answers its own cast and those of its bases.
  EXPECT_NE(marks[4].item->IsCamera(), nullptr);
  EXPECT_NE(marks[4].item->IsObject(), nullptr);
  EXPECT_NE(marks[9].item->IsScript(), nullptr);
  EXPECT_NE(marks[9].item->IsNote(), nullptr);
  EXPECT_EQ(marks[8].item->IsScript(), nullptr);
  EXPECT_NE(marks[2].item->IsInstance(), nullptr);
  EXPECT_NE(marks[6].item->IsMaterial(), nullptr);
  EXPECT_NE(marks[7].item->IsTexture(), nullptr);
  EXPECT_EQ(marks[6].item->IsBranch(), nullptr);  // materials hold no children
}

TEST_F(SceneObjectTest, ObjectCoordinateThroughCopyAndText) {
  VoICharacter* character = Make<VoICharacter>(nullptr, "hero");
  VoICoordinate* hip = Make<VoICoordinate>(character, "hip");
  VoICoordinate* neck = Make<VoICoordinate>(character, "neck");
  VoILocate* plain = Make<VoILocate>(character, "plain");
  {
    // A copy takes the name, the state bits and the coordinate.
    VoICamera* source = Make<VoICamera>(character, "cam");
    source->SetCoordinate(hip);
    VoICamera* copy = master.NewItem<VoICamera>(character, source);
    EXPECT_STREQ(copy->GetName(), "cam");
    EXPECT_EQ(copy->GetCoordinate(), hip);
    EXPECT_EQ(copy->GetState(), source->GetState());
    // A plain locate is a locate but no coordinate.
    copy->SetCoordinate(plain);
    EXPECT_EQ(copy->GetLocate(), plain);
    EXPECT_EQ(copy->GetCoordinate(), nullptr);
  }
  {
    VoIObject* object = Make<VoIObject>(character, "o");
    object->SetCoordinate(hip);
    Load(object, "Object", "Object {\n coordinate = \"NECK\"\n}\n");
    EXPECT_EQ(object->GetCoordinate(), neck);
    // A name no coordinate of the character has keeps the previous one;
    // plain locates are not coordinates.
    Load(object, "Object", "Object {\n coordinate = \"nobody\"\n}\n");
    EXPECT_EQ(object->GetCoordinate(), neck);
    Load(object, "Object", "Object {\n coordinate = \"plain\"\n}\n");
    EXPECT_EQ(object->GetLocate(), neck);
  }
  {
    // Without an enclosing character the line is read and skipped.
    VoIBranch* loose = Make<VoIBranch>(nullptr, "loose");
    VoIObject* object = Make<VoIObject>(loose, "o");
    Load(object, "Object", "Object {\n coordinate = \"hip\"\n name = \"renamed\"\n}\n");
    EXPECT_EQ(object->GetLocate(), nullptr);
    EXPECT_STREQ(object->GetName(), "renamed");
  }
}

int deletedCoordinates = 0;
struct CountedCoordinate : VoICoordinate {
  using VoICoordinate::VoICoordinate;
  ~CountedCoordinate() override { ++deletedCoordinates; }
};

TEST_F(SceneObjectTest, CoordinatesNamingThemselvesOrEachOtherAreFreed) {
  deletedCoordinates = 0;
  VoICharacter* character = Make<VoICharacter>(nullptr, "hero");
  CountedCoordinate* self = Make<CountedCoordinate>(character, "self");
  CountedCoordinate* a = Make<CountedCoordinate>(character, "a");
  CountedCoordinate* b = Make<CountedCoordinate>(character, "b");
  // As a text sets them: the coordinate line names the item itself, or the other.
  Load(self, "Coordinate", "Coordinate {\n coordinate = \"self\"\n}\n");
  EXPECT_EQ(self->GetCoordinate(), self);
  a->SetCoordinate(b);
  b->SetCoordinate(a);
  master.ReleaseItem(character);
  roots.clear();
  EXPECT_EQ(deletedCoordinates, 3);
}

TEST_F(SceneObjectTest, LightLinesTypesAndIcons) {
  VoIBranch* root = Make<VoIBranch>(nullptr, "root");
  VoILight* light = Make<VoILight>(root, "lamp");
  EXPECT_FLOAT_EQ(light->range, 1000.0f);
  EXPECT_FLOAT_EQ(light->spotInner, 0.5235988f);
  EXPECT_FLOAT_EQ(light->spotOuter, 0.6981317f);
  EXPECT_STREQ(VoILight::TypeName[0], "Ambient");
  EXPECT_STREQ(VoILight::TypeName[1], "Directional");
  EXPECT_STREQ(VoILight::TypeName[2], "Point");
  EXPECT_EQ(VoILight::TypeName[3], nullptr);
  EXPECT_STREQ(VoILight::TypeName[4], "Spot");
  EXPECT_STREQ(VoILight::TypeName[5], "");
  // Lines in any order, each read once per pass of the loop.
  Load(light, "Light",
       "Light {\n range = 12.5\n color = ( 0.25, 0.5, 0.75, 0.5)\n type = 4\n name = \"spot\"\n}\n");
  EXPECT_EQ(light->type, 4);
  EXPECT_FLOAT_EQ(light->range, 12.5f);
  EXPECT_FLOAT_EQ(light->g, 0.5f);
  EXPECT_FLOAT_EQ(light->a, 0.5f);
  EXPECT_STREQ(light->GetName(), "spot");
  EXPECT_EQ(light->GetNumIcon(), 23u);
  // A spot survives its own text.
  const std::string text = votest::SaveText(light);
  EXPECT_NE(text.find("\ttype = 4\n"), std::string::npos);
  VoILight* back = Make<VoILight>(root, "back");
  Load(back, "Light", text);
  EXPECT_EQ(back->type, 4);
  EXPECT_FLOAT_EQ(back->b, 0.75f);
  light->type = 3;
  EXPECT_EQ(light->GetNumIcon(), 22u);
}

TEST_F(SceneObjectTest, ValueTablesAndPathHolders) {
  VoIBranch* root = Make<VoIBranch>(nullptr, "root");
  VoIValue* value = Make<VoIValue>(root, "v");
  value->CreateValueTable(3);
  ASSERT_EQ(value->count, 3u);
  ASSERT_NE(value->table, nullptr);
  for (unsigned long i = 0; i < 3; ++i) {
    EXPECT_STREQ(value->table[i].name, "unknown");
    EXPECT_EQ(value->table[i].word[0], 0u);
    EXPECT_EQ(value->table[i].word[1], 0u);
  }
  // Entry values are floats in the first word's low 32 bits; out of range reads 0.
  value->SetValue(1, 0.25f);
  value->SetValue(3, 7.0f);
  EXPECT_EQ(value->table[1].word[0], 0x3E800000u);
  EXPECT_FLOAT_EQ(value->GetValue(1), 0.25f);
  EXPECT_FLOAT_EQ(value->GetValue(3), 0.0f);
  value->CreateValueTable(0);
  EXPECT_EQ(value->count, 0u);
  EXPECT_EQ(value->table, nullptr);

  VoExFile ex;
  EXPECT_EQ(ex.HasFile(), 0);
  ex.SetFileName("a/b.kvm");
  EXPECT_EQ(ex.HasFile(), 1);
  EXPECT_STREQ(ex.GetPathName().Get(), "a/b.kvm");
  ex.SetPathName(nullptr);
  EXPECT_EQ(ex.HasFile(), 0);
  EXPECT_STREQ(ex.GetFileName().Get(), "");

  VoIFile* file = Make<VoIFile>(root, "f");
  file->SetPathName("x/y.mqo");
  EXPECT_STREQ(file->GetName(), "f");  // the path alone does not rename
  EXPECT_STREQ(file->GetFileName().Get(), "x/y.mqo");
  file->SetPathName(nullptr);
  EXPECT_STREQ(file->GetPathName().Get(), "");

  VoINote* note = Make<VoINote>(root, "n");
  note->SetText("memo");
  EXPECT_STREQ(note->GetText(), "memo");
  note->SetText(nullptr);
  EXPECT_STREQ(note->GetText(), "");
}

int deleted = 0;
int refreshed = 0;
struct CountedMaterial : VoRenderMaterial {
  ~CountedMaterial() override { ++deleted; }
  void Refresh() override { ++refreshed; }
};
struct CountedTexture : VoRenderTexture {
  ~CountedTexture() override { ++deleted; }
  void Refresh() override { ++refreshed; }
};

TEST_F(SceneObjectTest, MaterialsAndTexturesOwnTheirRenderObjects) {
  deleted = refreshed = 0;
  VoIBranch* root = Make<VoIBranch>(nullptr, "root");
  VoIMaterial* material = Make<VoIMaterial>(root, "m");
  VoITexture* texture = Make<VoITexture>(root, "t");
  material->texture = texture;
  EXPECT_EQ(material->Update(0), 1);  // nothing to refresh yet
  material->SetRender(new CountedMaterial);
  auto* second = new CountedMaterial;
  material->SetRender(second);
  EXPECT_EQ(deleted, 1);
  material->SetRender(second);  // the same one again is kept, not freed
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(material->Update(0), 1);
  EXPECT_EQ(refreshed, 1);
  texture->SetRender(new CountedTexture);
  texture->pixels = new unsigned char[16]();
  EXPECT_EQ(texture->Update(0), 1);
  EXPECT_EQ(refreshed, 2);
  master.ReleaseItem(root);
  roots.clear();
  EXPECT_EQ(deleted, 3);
}

}  // namespace
