// Motion capture files that real libraries publish (Debian's
// assimp-testmodels: CMU 01_01 and 01_03, Boxing_Toes): they import with the
// joints and frames they state, their joints stand where assimp's own reader
// puts them, and they read back from what the writer makes of them. Skipped
// when the files (or, for the comparison, the assimp library) are missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "SorvelFixture.h"
#include "ferrox/testing/Near.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

#ifdef SORVEL_HAVE_ASSIMP
#include <assimp/cimport.h>
#include <assimp/scene.h>
#endif

namespace sorveltest {
namespace {

using FrxTest::Near;

const std::string kDir = "/usr/share/assimp/models/BVH/";
const char* const kFiles[] = {"01_01.bvh", "01_03.bvh", "Boxing_Toes.bvh"};

// Joints and frames as the text states them, counted apart from the reader.
struct Stated {
  int joints = 0, frames = -1;
};
Stated StatedCounts(const std::string& path) {
  Stated s;
  std::ifstream in(path);
  std::string line, word;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    words >> word;
    if (word == "ROOT" || word == "JOINT") ++s.joints;
    if (word == "Frames:") words >> s.frames;
  }
  return s;
}

using Positions = std::map<std::string, Frx::Pvector>;

// Float rounding and the engine's sine series move joints by a few
// hundred-thousandths of the figure's size; a wrong rotation order or a
// shifted value moves them by whole units.
float Tolerance(const Positions& pose, float relative) {
  float size = 1.0f;
  for (const auto& [name, p] : pose) size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
  return relative * size;
}

class BvhPublicFiles : public SorvelFixture {
 protected:
  void SetUp() override {
    SorvelFixture::SetUp();
    if (!std::filesystem::exists(kDir + kFiles[0])) GTEST_SKIP() << "assimp-testmodels is not installed";
  }
  VoICharacter* Imported(const std::string& path) {
    VoICharacter* c = NewCharacter(path.c_str());
    return master.Import(path.c_str(), c, 0) == c ? c : nullptr;
  }
  // World positions of the coordinates by name at a file frame.
  Positions PosedAt(VoICharacter* c, int frame) {
    PoseAt(c, float(2 * frame));
    Positions out;
    std::vector<VoIItem*> open = {c->GetSkelton()};
    while (!open.empty()) {
      VoIItem* item = open.back();
      open.pop_back();
      if (VoICoordinate* joint = item->IsCoordinate()) out[joint->name] = joint->GetWPos();
      if (VoIBranch* branch = item->IsBranch())
        for (VoIItem* child : Children(branch)) open.push_back(child);
    }
    return out;
  }
};

TEST_F(BvhPublicFiles, ReadBackFromTheWriterAtEveryKey) {
  for (const char* file : kFiles) {
    SCOPED_TRACE(file);
    const Stated stated = StatedCounts(kDir + file);
    VoICharacter* a = Imported(kDir + file);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    EXPECT_EQ(int(JointWorldPositions(a).size()), stated.joints);
    EXPECT_EQ(a->GetMotion()->endframe, 2L * (stated.frames - 1));

    ASSERT_EQ(master.Export(Scratch(file).c_str(), a, 0), 1);
    VoICharacter* b = Imported(Scratch(file));
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->GetMotion()->endframe, a->GetMotion()->endframe);
    int wrong = 0;
    for (int frame = 0; frame < stated.frames; ++frame) {
      const Positions pa = PosedAt(a, frame), pb = PosedAt(b, frame);
      ASSERT_EQ(pa.size(), pb.size());
      // The Euler angles written lose a little more near gimbal lock.
      const float tolerance = Tolerance(pa, 1e-4f);
      for (const auto& [name, p] : pa)
        if (!Near(p, pb.at(name), tolerance) && ++wrong <= 3) ADD_FAILURE() << "frame " << frame << " " << name;
    }
    EXPECT_EQ(wrong, 0);
  }
}

#ifdef SORVEL_HAVE_ASSIMP
// World positions of assimp's nodes at a frame: every node's channel keys
// (one a frame) over its parent's transform.
void AssimpWalk(const aiNode* node, const aiMatrix4x4& parent, const std::map<std::string, const aiNodeAnim*>& channels,
                unsigned frame, Positions& out) {
  aiMatrix4x4 local = node->mTransformation;
  auto found = channels.find(node->mName.C_Str());
  if (found != channels.end()) {
    const aiNodeAnim* ch = found->second;
    aiVector3D position(local.a4, local.b4, local.c4);
    aiQuaternion rotation;
    if (ch->mNumPositionKeys) position = ch->mPositionKeys[std::min(frame, ch->mNumPositionKeys - 1)].mValue;
    if (ch->mNumRotationKeys) rotation = ch->mRotationKeys[std::min(frame, ch->mNumRotationKeys - 1)].mValue;
    local = aiMatrix4x4(aiVector3D(1, 1, 1), rotation, position);
  }
  const aiMatrix4x4 world = parent * local;
  out[node->mName.C_Str()] = Frx::Pvector(world.a4, world.b4, world.c4);
  for (unsigned i = 0; i < node->mNumChildren; ++i) AssimpWalk(node->mChildren[i], world, channels, frame, out);
}
#endif

// Both readers keep the file's right-handed, Y-up axes, so the axis
// conversion between them is the identity. Our own fixtures are compared
// too: a joint of every rotation order, positions after rotations (assimp
// reads one ROOT only).
TEST_F(BvhPublicFiles, JointsStandWhereAssimpPutsThem) {
#ifndef SORVEL_HAVE_ASSIMP
  GTEST_SKIP() << "libassimp-dev was not installed when this was built";
#else
  std::vector<std::string> paths;
  for (const char* file : kFiles) paths.push_back(kDir + file);
  for (const char* fixture : {"orders", "position-last"})
    paths.push_back(std::string(SAVORA_TESTDATA_DIR) + "/bvh/" + fixture + "/" + fixture + ".bvh");
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const aiScene* scene = aiImportFile(path.c_str(), 0);
    ASSERT_TRUE(scene && scene->mNumAnimations == 1 && scene->mRootNode);
    std::map<std::string, const aiNodeAnim*> channels;
    for (unsigned i = 0; i < scene->mAnimations[0]->mNumChannels; ++i)
      channels[scene->mAnimations[0]->mChannels[i]->mNodeName.C_Str()] = scene->mAnimations[0]->mChannels[i];
    VoICharacter* c = Imported(path);
    ASSERT_NE(c, nullptr);
    const Stated stated = StatedCounts(path);
    for (int frame : {0, stated.frames / 2, stated.frames - 1}) {
      SCOPED_TRACE(frame);
      Positions theirs;
      AssimpWalk(scene->mRootNode, aiMatrix4x4(), channels, unsigned(frame), theirs);
      const Positions ours = PosedAt(c, frame);
      EXPECT_EQ(int(ours.size()), stated.joints);
      const float tolerance = Tolerance(theirs, 5e-5f);
      for (const auto& [name, p] : ours) {
        auto other = theirs.find(name);
        ASSERT_NE(other, theirs.end()) << name;
        EXPECT_TRUE(Near(p, other->second, tolerance)) << name;
      }
    }
    aiReleaseImport(scene);
  }
#endif
}

}  // namespace
}  // namespace sorveltest
