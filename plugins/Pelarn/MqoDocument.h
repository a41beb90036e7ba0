// MqoDocument: a Metasequoia document as plain records, with no engine items.
// The parser fills materials and objects; the skeleton, coordinate and
// nesting steps add the locate, bone and line records and fill in the
// objects' coordinate and parent indexes; the scene builder turns it all into
// items. One import owns one document.
#pragma once

#include <string>
#include <vector>

#include "ferrox/math/Pvector.h"

namespace Mqo {

struct Material {
  std::string name;
  float col[4] = {0, 0, 0, 0};  // r, g, b, a
  float dif = 0, amb = 0, emi = 0, spc = 0, power = 0;
  std::string tex;
  std::string aplane;
  std::string bump;
  int vcol = 0;
};

struct Face {
  int n = 0;  // corners: 2, 3 or 4
  int v[4] = {0, 0, 0, 0};
  float uv[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // u then v per corner
  int col[4] = {0, 0, 0, 0};
  int colCount = 0;  // 0 when the face gave no COL field
  int m = -1;        // material index, -1 when absent
};

struct Object {
  enum Kind { POLYGON = 0, SKELETON_SOURCE = 1 };
  int coordinate = -1;  // bone record index
  std::string name;
  int parent = -1;  // object index
  int kind = POLYGON;
  std::vector<Frx::Pvector> vertices;
  std::vector<Face> faces;
  float facet = 180.0f;
};

// One per vertex of every bone object.
struct Locate {
  enum Flag { SITE = 1, START = 2, END = 4, HEAD = 8, SIBLING = 0x10 };
  int parent = -1;
  // Whether parent indexes a locate record (a sibling bone's head hangs from
  // its start) rather than a bone record.
  bool parentIsLocate = false;
  std::string name;
  int flags = 0;
  Frx::Pvector position{0.0f, 0.0f, 0.0f};
};

// A bone (one triangle of a bone object) or a line (one two-corner face).
struct Bone {
  enum Flag { SIBLING = 1, NO_BONE_AT_START = 2 };
  int parent = -1;  // bone record index
  int object = -1;  // the bone object it came from
  std::string name;
  int flags = 0;
  int start = -1, end = -1, head = -1;  // locate record indexes; a line has no head
  std::vector<int> affect;              // locate record indexes
};

// What the reader passed over while reading on, by kind: how many places,
// how many lines of text they covered, and the text offset of the first.
struct Skipped {
  enum Kind {
    OBJECT,      // an object whose name line cannot be read
    MATERIAL,    // material lines beyond the stated count
    VERTEX,      // vertex lines that are no vertex, or beyond the count
    FACE,        // faces of another corner count or without corners
    STRAY_FACE,  // faces naming a vertex the object lacks
    KINDS
  };
  int count[KINDS] = {};
  size_t lines[KINDS] = {};
  size_t first[KINDS] = {};

  void Note(Kind kind, size_t at, size_t covered) {
    if (count[kind]++ == 0) first[kind] = at;
    lines[kind] += covered;
  }
};

struct Document {
  std::vector<Locate> locates;
  std::vector<Bone> bones;
  std::vector<Bone> lines;
  std::vector<Object> objects;
  std::vector<Material> materials;
  Skipped skipped;

  void Clear() {
    locates.clear();
    bones.clear();
    lines.clear();
    objects.clear();
    materials.clear();
    skipped = Skipped();
  }
};

}  // namespace Mqo
