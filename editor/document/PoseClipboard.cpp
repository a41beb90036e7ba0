// The pose clipboard: the "copy" motion under "general" holds one pose at frame 0.
#include <cmath>

#include "editor/document/CTireloDoc.h"
#include "editor/document/ItemControls.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoISkelton.h"

void CTireloDoc::CopyPose() {
  VoICharacter* character = GetSelectedCharacter();
  VoIMotion* copy = copyMotion;
  if (!character || !copy) return;
  ItemControls::ForBranch(*master, character, copy);
  character->RegistAllControl(copy);
  character->WriteAllControl(0.0f);
  character->RegistAllControl(character->GetMotion());
  QueueItem(copy);
}

void CTireloDoc::PastePose() {
  VoICharacter* character = GetSelectedCharacter();
  VoIMotion* copy = copyMotion;
  VoIMotion* motion = character ? character->GetMotion() : nullptr;
  // Without a motion of its own there is nowhere to key the pasted pose.
  if (!character || !copy || !motion) return;
  const long frame = static_cast<long>(std::trunc(motion->GetFrame()));
  if (motion->ExistKeyframe(frame) != VoIMotion::KEY_NONE &&
      ShowMessage(36, "ペースト先のフレームにはキーが存在します。上書きしますか？\n") != 6)
    return;
  character->RegistAllControl(copy);
  character->ReadAllControl(0.0f);
  character->RegistAllControl(motion);
  QueueItem(character->GetSkelton());
}
