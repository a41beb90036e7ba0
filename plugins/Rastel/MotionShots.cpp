#include "plugins/Rastel/MotionShots.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Rastel/ScreenGrab.h"
#include "plugins/Rastel/SerialAsker.h"
#include "plugins/Rastel/ShotFiles.h"
#include "plugins/host/HostInterface.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/item/VoIObject.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

// "run[R]" and "run[Right]" are shot from the other side.
bool ShotFromRight(const char* name) {
  char before[256], inside[256];
  const char* cursor = name;
  return name && Frx::Pscanf(cursor, "%s[%s]%.", before, int(sizeof before), inside, int(sizeof inside)) &&
         inside[0] == 'R';
}

}  // namespace

void PlaceShotCamera(HostInterface& host, const char* motionName) {
  VoIItem* camera = host.GetViewCamera();
  VoIObject* object = camera ? camera->IsObject() : nullptr;
  VoICoordinate* coordinate = object ? object->GetCoordinate() : nullptr;
  if (!coordinate) return;
  const bool right = ShotFromRight(motionName);
  coordinate->SetPos(Frx::Pvector(right ? -1440.0f : 1440.0f, 288.0f, 0.0f));
  Frx::Pquaternion turn;
  turn.SetEulerXYZ(Frx::Pvector(-10.0f, right ? 270.0f : 90.0f, 0.0f));
  coordinate->SetRotate(turn);
}

void SetStandardPose(VoICharacter& character) {
  if (VoISkelton* skeleton = character.GetSkelton()) skeleton->StandardPosition();
  for (VoIItem* item = character.GetFirstChild(); item; item = character.GetNextChild(item)) {
    VoIMotion* standard = item->IsMotion();
    if (!standard || standard->IsRelease() || std::strcmp(standard->GetName(), "standard") != 0) continue;
    // The next update binds the bound motion again: the character keeps
    // what these connections were made for.
    character.RegistAllControl(standard);
    character.ReadAllControl(0.0f);
    break;
  }
}

FrameWalk::FrameWalk(long first, long end, unsigned step, bool loops)
    : next_(first), end_(end), step_(std::max(step, 1u)), loops_(loops) {}

bool FrameWalk::Next(long& frame, bool& shoot) {
  if (done_) return false;
  const bool first = count_ == 0;
  if (loops_ ? next_ >= end_ && !first : next_ > end_) return false;
  frame = next_;
  shoot = count_ % step_ == 0 || (!loops_ && frame == end_);
  ++count_;
  if (frame == LONG_MAX) done_ = true;
  else ++next_;
  return true;
}

namespace {

// Writes one screenshot as file `number`. false when the back buffer cannot
// be read (reported); a file that cannot be made is skipped in silence.
bool WriteShot(HostInterface& host, const std::string& path, const SerialBmpAnswers& answers) {
  DibImage image;
  switch (GrabScreen(host.GetDraw(), image)) {
    case GrabResult::NoBackBuffer:
      Frx::theFerrox.Error("バックバッファの取得に失敗しました。\n");
      return false;
    case GrabResult::NotLocked:
      Frx::theFerrox.Error("バックバッファのロックに失敗しました。\n");
      return false;
    case GrabResult::NoImage:
      return true;
    case GrabResult::Done:
      break;
  }
  if (!FitShot(image, answers.sizeMode, answers.height, answers.width)) return true;
  Frx::theFerrox.Log("out BMP %s\n", path.c_str());
  if (MakeFolders(path.c_str())) SaveBmp(&image, path.c_str());
  return true;
}

}  // namespace

bool ShootMotion(HostInterface& host, VoICharacter& character, VoIMotion& motion, const SerialBmpAnswers& answers) {
  VoRefer<VoIMotion> hold(&motion);
  character.SetMotion(&motion);
  const long end = std::min(motion.endframe, answers.last);
  host.SetCurrentFrame(float(answers.first));
  host.Play();
  FrameWalk walk(answers.first, end, answers.step, motion.loop == 1);
  long frame = 0, number = 0;
  bool shoot = false;
  while (walk.Next(frame, shoot)) {
    host.RenderFrame(float(frame));
    if (!shoot) continue;
    const std::string path =
        ShotName(answers.pattern.c_str(), character.GetName(), motion.GetName(), number++) + ".bmp";
    if (!WriteShot(host, path, answers)) return false;
  }
  return true;
}
