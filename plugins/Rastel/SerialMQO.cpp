#include "plugins/Rastel/SerialMQO.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Rastel/FrameRange.h"
#include "plugins/Rastel/ShotFiles.h"
#include "plugins/frame/PluginFrame.h"
#include "plugins/host/HostInterface.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

char* SerialMQO::MenuName() {
  static char name[] = "連番 MQO 出力";
  return name;
}

int SerialMQO::Execute(VoIItem*, VoIItem*, unsigned long flags) {
  HostInterface* host = HostFromFlags(flags);
  if (!host) {
    Frx::theFerrox.Error("このツールは Savora.exe からの呼び出しにしか対応していません。\n");
    return 0;
  }
  VoMaster* master = host->GetMaster();
  if (!master) master = VoMaster::This();
  VoRefer<VoICharacter> character(host->GetCurrentCharacter());
  VoRefer<VoIMotion> motion(character ? character->GetMotion() : nullptr);
  if (!master || !motion) {
    ShowMessage(0, "カレントアイテムで再生中のモーションが存在しません。\n");
    return 0;
  }

  SerialMqoAnswers answers;
  answers.prefix = std::string(Frx::theFerrox.systemPath.Get()) + "ScreenShots\\sshot";
  answers.last = motion->endframe;
  if (!(asker_ ? *asker_ : InitialValuesAsker()).AskMqo(answers)) return 0;
  ClampToRanges(answers);
  Frx::theFerrox.Log("　　出力ファイル %s[xxx].mqo\n", answers.prefix.c_str());
  const long end = std::min(answers.last, motion->endframe);
  if (!CheckOutputRange(answers.first, end)) return 0;
  // The walk below ends when the frame to render reaches the end: from a
  // first frame past it, it would never end.
  if (answers.first > end) return 1;

  host->SetCurrentFrame(float(answers.first));
  host->Play();
  long frame = answers.first;
  for (long n = 0;; ++n) {
    if (!character) return 1;
    if (Frx::theFerrox.debug) Frx::theFerrox.Log("　　　write %d\n", int(n));
    char number[32];
    std::snprintf(number, sizeof number, "%04ld", n);
    const std::string path = answers.prefix + number + ".mqo";
    // The prefix may name a folder that does not exist yet, as the
    // screenshots' pattern may.
    MakeFolders(path.c_str());
    master->Export(path.c_str(), character, 0);
    for (unsigned s = 0; s < answers.step; ++s) {
      if (frame >= end) return 1;
      host->RenderFrame(float(frame));
      ++frame;
    }
  }
}
