#include "plugins/Rastel/SerialBMP.h"

#include <algorithm>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Rastel/FrameRange.h"
#include "plugins/Rastel/MotionShots.h"
#include "plugins/frame/PluginFrame.h"
#include "plugins/host/HostInterface.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

char* SerialBMP::MenuName() {
  static char name[] = "連番 BMP 出力";
  return name;
}

int SerialBMP::Execute(VoIItem*, VoIItem*, unsigned long flags) {
  HostInterface* host = HostFromFlags(flags);
  if (!host) {
    Frx::theFerrox.Error("このツールは Savora.exe からの呼び出しにしか対応していません。\n");
    return 0;
  }
  // Counted: rendering runs the character's scripts, which may release items.
  VoRefer<VoICharacter> character(host->GetCurrentCharacter());
  VoRefer<VoIMotion> current(character ? character->GetMotion() : nullptr);

  SerialBmpAnswers answers;
  answers.pattern = std::string(Frx::theFerrox.systemPath.Get()) + "ScreenShots\\%m\\%f";
  if (!(asker_ ? *asker_ : InitialValuesAsker()).AskBmp(answers)) return 0;
  ClampToRanges(answers);

  std::vector<VoRefer<VoIMotion>> motions;
  if (answers.allMotions && character) {
    VoIBranch::ItemList children;
    character->GetChildList(children, VoIMotion::CLASS_ID);
    for (VoRefer<VoIItem>& item : children)
      if (VoIMotion* motion = item ? item->IsMotion() : nullptr) motions.emplace_back(motion);
    Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
    Frx::theFerrox.Log("size %d\n", int(motions.size()));
  } else if (current) {
    motions.emplace_back(current.Get());
  } else {
    ShowMessage(0, "再生中のモーションが存在しません。\n");
    return 0;
  }

  // Every range is checked before the first file is written.
  for (VoRefer<VoIMotion>& motion : motions)
    if (motion && character && !CheckOutputRange(answers.first, std::min(motion->endframe, answers.last)))
      return 0;

  for (VoRefer<VoIMotion>& motion : motions) {
    if (!motion || !character) continue;
    Frx::theFerrox.Log("motion %s\n", motion->GetName());
    PlaceShotCamera(*host, motion->GetName());
    SetStandardPose(*character);
    if (!ShootMotion(*host, *character, *motion, answers)) return 0;
  }
  return 1;
}
