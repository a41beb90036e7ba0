// The headless master with message boxes recorded, and characters built in
// code the way the importers build them: a skeleton of coordinates and a
// motion of keyed controls.
#pragma once

#include <string>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Tandrel/ConverterAsker.h"
#include "plugins/Tandrel/ConvertSession.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/testing/MasterFixture.h"

namespace tandreltest {

struct Joint {
  const char* name;
  const char* parent;  // "" for the skeleton
  Frx::Pvector offset;
  Frx::Pquaternion rest = Frx::Pquaternion::id;
};

// Coordinates under a skeleton "skelton" of the character, each placed at
// its offset from its parent and turned by its rest rotation; world
// matrices computed.
void BuildSkeleton(VoMaster& master, VoICharacter* character, const std::vector<Joint>& joints);
VoICoordinate* JointOf(VoICharacter* character, const char* name);

// Rotation keys of one joint, and position keys when given.
struct Track {
  const char* joint;
  std::vector<std::pair<long, Frx::Pquaternion>> rotations = {};
  std::vector<std::pair<long, Frx::Pvector>> positions = {};
};
// A motion under the character driving its joints as the tracks say.
VoIMotion* AddMotion(VoMaster& master, VoICharacter* character, const char* name, long endframe,
                     const std::vector<Track>& tracks);

// The world rotation of a matrix.
Frx::Pquaternion RotationOf(const Frx::Pmatrix& m);
// A turn of `degrees` about an axis.
Frx::Pquaternion Turn(const Frx::Pvector& axis, float degrees);

// Answers the pairing dialog: reads the .kvc file when given, pairs the
// listed names, then OK (or Cancel).
class PairingAsker : public ConverterAsker {
 public:
  bool AskPairs(ConvertSession& session) override;

  std::string kvcPath;  // system path; empty: none
  std::vector<std::pair<std::string, std::string>> pairs;  // destination, source
  bool ok = true;
  int asked = 0;
};

class TandrelFixture : public votest::MasterFixture {
 protected:
  VoICharacter* NewCharacter(const char* name) { return Make<VoICharacter>(nullptr, name); }
  // The motions directly under a character.
  static std::vector<VoIMotion*> Motions(VoICharacter* character);

  FrxTest::MessageBoxRecorder boxes{IDOK};
  FrxTest::TempFolder folder;
};

}  // namespace tandreltest
