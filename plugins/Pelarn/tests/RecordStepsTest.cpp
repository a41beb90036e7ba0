// Skeleton records, coordinates and nesting, on documents read from text.
#include <gtest/gtest.h>

#include <string>

#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/MqoRecordSteps.h"

namespace {

Mqo::Document Steps(const std::string& body, const std::string& materials = "") {
  const std::string text = "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 9 {\n" + materials + "}\n" + body + "Eof\n";
  Mqo::Document doc;
  std::string error;
  EXPECT_EQ(Mqo::ParseMqoDocument(text.c_str(), text.size(), 1.0f, doc, error), 1) << error;
  EXPECT_EQ(Mqo::BuildSkeletonFromObjects(doc, error), 1);
  EXPECT_EQ(Mqo::AssignCoordinates(doc, error), 1);
  EXPECT_EQ(Mqo::NestObjects(doc, error), 1);
  return doc;
}

std::string Object(const char* name, std::initializer_list<const char*> vertices,
                   std::initializer_list<const char*> faces) {
  std::string text = std::string("Object \"") + name + "\" {\n\tvertex " + std::to_string(vertices.size()) + " {\n";
  for (const char* v : vertices) text += std::string("\t\t") + v + "\n";
  text += "\t}\n\tface " + std::to_string(faces.size()) + " {\n";
  for (const char* f : faces) text += std::string("\t\t") + f + "\n";
  return text + "\t}\n}\n";
}

// A spine with a neck on its end and two arms hung from its end by lines;
// the second object's faces count its own vertices from 0.
const std::string kBody =
    Object("bone:body",
           {"0 0 0", "0 0 -1", "0 10 0", "0 10 -1", "0 16 0", "3 10 0", "3 10 -1", "9 10 0", "-3 10 0",
            "-3 10 -1", "-9 10 0"},
           {"3 V(1 2 0) M(0)", "3 V(2 3 4)", "3 V(7 5 6) M(1)", "3 V(8 9 10) M(1)", "2 V(2 5)", "2 V(8 2)",
            "3 V(0 1 99)"}) +
    Object("bone:tail", {"0 -2 0", "0 -2 -1", "0 -8 0"}, {"3 V(0 1 2)"}) +
    Object("sbone:skirt", {"0 10 0", "0 10 -1", "4 4 0"}, {"3 V(0 1 2)"});

TEST(MqoSkeletonRecords, BonesLinesAndLocatesFromBoneObjects) {
  const Mqo::Document doc = Steps(kBody, "\t\"spine\"\n\t\"arm[]\"\n");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(doc.objects[i].kind, Mqo::Object::SKELETON_SOURCE);
  ASSERT_EQ(doc.locates.size(), 17u);
  ASSERT_EQ(doc.bones.size(), 6u);
  ASSERT_EQ(doc.lines.size(), 2u);

  struct Row {
    const char* name;
    int start, end, head, parent, flags;
  } rows[] = {
      {"spine", 0, 2, 1, -1, Mqo::Bone::NO_BONE_AT_START},
      {"bone01", 2, 4, 3, 0, 0},
      {"arm[L]", 5, 7, 6, 0, Mqo::Bone::NO_BONE_AT_START},  // through the line 2-5
      {"arm[R]", 8, 10, 9, 0, Mqo::Bone::NO_BONE_AT_START},
      {"bone00", 11, 13, 12, -1, Mqo::Bone::NO_BONE_AT_START},
      {"bone00", 14, 16, 15, -1, Mqo::Bone::SIBLING},  // an end is at its start, but siblings take no parent
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Mqo::Bone& bone = doc.bones[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(bone.name, rows[i].name);
    EXPECT_EQ(bone.start, rows[i].start);
    EXPECT_EQ(bone.end, rows[i].end);
    EXPECT_EQ(bone.head, rows[i].head);
    EXPECT_EQ(bone.parent, rows[i].parent);
    EXPECT_EQ(bone.flags, rows[i].flags);
  }
  // Children hung through lines are affected by their parent.
  EXPECT_EQ(doc.bones[0].affect, (std::vector<int>{0, 2, 1, 5, 8}));

  struct Locate {
    int index;
    const char* name;
    int parent, flags;
  } locates[] = {
      {0, "j_spine", -1, Mqo::Locate::START},
      {1, "h_spine", -1, Mqo::Locate::HEAD},
      {2, "j_bone01", 0, Mqo::Locate::START | Mqo::Locate::END},
      {4, "site_bone01", 1, Mqo::Locate::END | Mqo::Locate::SITE},
      {5, "j_arm[L]", 0, Mqo::Locate::START},
      {10, "site_arm[R]", 3, Mqo::Locate::END | Mqo::Locate::SITE},
      {13, "site_bone00", 4, Mqo::Locate::END | Mqo::Locate::SITE},
      {15, "h_bone00", 14, Mqo::Locate::HEAD | Mqo::Locate::SIBLING},  // hangs from the start
  };
  for (const Locate& row : locates) {
    const Mqo::Locate& l = doc.locates[row.index];
    SCOPED_TRACE(row.index);
    EXPECT_EQ(l.name, row.name);
    EXPECT_EQ(l.parent, row.parent);
    EXPECT_EQ(l.parentIsLocate, row.index == 15);
    EXPECT_EQ(l.flags, row.flags);
  }
  EXPECT_FLOAT_EQ(doc.locates[13].position.y, -8.0f);
}

TEST(MqoSkeletonRecords, NeverTheirOwnParentNorALoop) {
  // A bone whose corners coincide starts and ends at corner 0; two bones end
  // at each other's start; a fourth bone's head is the start of the second.
  const Mqo::Document doc = Steps(Object(
      "bone:odd", {"0 0 0", "0 0 0", "0 0 0", "10 0 0", "10 5 0", "10 0 -1", "10 5 -1", "11 0 0", "30 0 0"},
      {"3 V(0 1 2)", "3 V(3 5 4)", "3 V(4 6 3)", "3 V(7 3 8)"}));
  ASSERT_EQ(doc.bones.size(), 4u);
  EXPECT_EQ(doc.bones[0].start, doc.bones[0].end);
  EXPECT_EQ(doc.bones[0].head, 1);
  EXPECT_EQ(doc.bones[0].parent, -1);
  EXPECT_EQ(doc.locates[0].name, "j_bone00");
  EXPECT_EQ(doc.bones[1].parent, 2);
  EXPECT_EQ(doc.bones[2].parent, -1);
  EXPECT_EQ(doc.bones[3].head, 3);
  // Of "j_bone01" and "h_bone03" the name that sorts first stays.
  EXPECT_EQ(doc.locates[3].name, "h_bone03");
  EXPECT_EQ(doc.locates[4].name, "j_bone02");
}

TEST(MqoObjectRecords, CoordinatesByNameOrNearnessAndNestingByName) {
  const std::string objects = Object("hand-ARM[l]", {"5 9 0"}, {}) + Object("ghost-nothere", {"0 15 0"}, {}) +
                              Object("empty", {}, {}) + Object("obj:head", {"0 14 0"}, {}) +
                              Object("cap|head", {"0 15 0"}, {}) + Object("brim|cap|x", {"0 15 0"}, {}) +
                              Object("a|b", {"0 0 0"}, {}) + Object("b|a", {"0 0 0"}, {}) +
                              Object("lost|nobody", {"0 0 0"}, {});
  const Mqo::Document doc = Steps(kBody + objects, "\t\"spine\"\n\t\"arm[]\"\n");
  struct Row {
    const char* name;
    int coordinate, parent;
  } rows[] = {
      {"hand", 2, -1},     // named, letter case aside
      {"ghost", 1, -1},    // named bone missing: the nearest one, the neck
      {"empty", -1, -1},   // nothing to measure
      {"obj:head", 1, -1},
      {"cap", 1, 6},       // key "head" of "obj:head"
      {"brim", 1, 7},      // key "cap"; text after it is allowed
      {"a|b", 0, -1},      // would close a loop with "b"
      {"b", 0, 9},
      {"lost|nobody", 0, -1},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Mqo::Object& o = doc.objects[i + 3];
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(o.name, rows[i].name);
    EXPECT_EQ(o.coordinate, rows[i].coordinate);
    EXPECT_EQ(o.parent, rows[i].parent);
  }
}

}  // namespace
