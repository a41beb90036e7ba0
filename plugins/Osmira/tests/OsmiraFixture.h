// The headless master with the Osmira descriptors registered, message boxes
// answered and recorded, and rigs and meshes built in code.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ferrox/math/Pvector.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "plugins/Osmira/ExportKVI.h"
#include "plugins/Osmira/OsmiraDescs.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/testing/MasterFixture.h"

namespace osmiratest {

// A bone from start to end; `parent` indexes an earlier bone (-1: none).
// A bone starting where its parent ends shares that locate.
struct BoneSpec {
  const char* name;
  int parent;
  Frx::Pvector start, end;
  Frx::Pvector head;  // its length is the bone's reach
};

struct Rig {
  VoICharacter* character = nullptr;
  VoISkelton* skeleton = nullptr;
  std::vector<VoIBone*> bones;
};

struct Mesh {
  std::vector<Frx::Pvector> positions;
  std::vector<std::vector<uint32_t>> faces;  // 2 to 4 corners each
};

// Rings of four corners (±half in x and z) at each y, joined by quads; no caps.
Mesh SquareTube(const std::vector<float>& ys, float half);
// A closed box from lo to hi (six quads, outward).
Mesh Box(const Frx::Pvector& lo, const Frx::Pvector& hi);
// A closed latitude-longitude ellipsoid of triangles.
Mesh Ellipsoid(const Frx::Pvector& centre, const Frx::Pvector& radii, int slices, int stacks);
// Two meshes as one (the second's indices shifted).
Mesh Join(const Mesh& a, const Mesh& b);

// The same as OsmiraFixture's MakeRig and MakePolygon for any master; the
// items hang from `parent` (the rig from a new character under `parent`).
Rig BuildRig(VoMaster& master, VoIBranch* parent, const std::vector<BoneSpec>& bones);
VoIPolygon* BuildPolygon(VoMaster& master, VoIBranch* parent, const char* name, const Mesh& mesh,
                         VoIMaterial* material = nullptr);
// Turns a bone by `degrees` about a world axis through its start.
void TurnBone(VoIBone* bone, const Frx::Pvector& axis, float degrees);

class OsmiraFixture : public votest::MasterFixture {
 protected:
  void SetUp() override;

  // A character "chara" with a skeleton of the bones, arranged at rest.
  Rig MakeRig(const std::vector<BoneSpec>& bones);
  VoIPolygon* MakePolygon(VoIBranch* parent, const char* name, const Mesh& mesh, VoIMaterial* material = nullptr);
  // One frame of the character as a host makes it.
  void Frame(VoICharacter* character);
  static Frx::Pvector At(VoIPolygon* polygon, int i) { return polygon->GetVertex()->Get(i); }

  OsmiraformDesc osmiraformDesc;
  SphericalDeformDesc sphericalDesc;
  ExportKVI kviDesc;
  FrxTest::MessageBoxRecorder boxes{IDOK};
};

}  // namespace osmiratest
