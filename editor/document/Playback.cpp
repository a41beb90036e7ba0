#include "editor/document/Playback.h"

#include <cmath>

#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "vocore/item/Ptable.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

namespace Playback {

void Play(CTireloDoc& doc) {
  doc.paused = 0;
  doc.playFrame = doc.currentFrame;
}

void Pause(CTireloDoc& doc) {
  doc.paused = 1;
  doc.currentFrame = std::trunc(doc.currentFrame);
}

void Stop(CTireloDoc& doc) {
  doc.paused = 1;
  doc.SetCurrentFrame(doc.playFrame);
}

void Restart(CTireloDoc& doc) {
  doc.paused = 1;
  doc.currentFrame = doc.previousFrame = doc.playFrame = 0.0f;
}

void Step(CTireloDoc& doc, int frames) { doc.currentFrame += static_cast<float>(frames); }

long NextKeyFrame(VoIMotion& motion, long k) {
  Ptable<long> table;
  motion.MakeFrameTable(table);
  if (table.size() == 0) return k;
  for (int i = 0; i < table.size(); ++i)
    if ((table[i] >> 1) > k) return table[i] >> 1;
  return table[0] >> 1;
}

long PreviousKeyFrame(VoIMotion& motion, long k) {
  Ptable<long> table;
  motion.MakeFrameTable(table);
  const int n = table.size();
  if (n == 0) return k;
  for (int i = n - 1; i >= 0; --i)
    if ((table[i] >> 1) < k) return table[i] >> 1;
  return table[n - 1] >> 1;
}

namespace {
VoIMotion* ScopedMotion(CTireloDoc& doc) {
  VoICharacter* character = doc.current.Get();
  return character ? character->GetMotion() : nullptr;
}
}  // namespace

void NextKey(CTireloDoc& doc) {
  if (VoIMotion* motion = ScopedMotion(doc)) {
    const long k = static_cast<long>(motion->GetFrame());
    doc.SetCurrentFrame(static_cast<float>(NextKeyFrame(*motion, k)));
  }
}

void PreviousKey(CTireloDoc& doc) {
  if (VoIMotion* motion = ScopedMotion(doc)) {
    const long k = static_cast<long>(motion->GetFrame());
    doc.SetCurrentFrame(static_cast<float>(PreviousKeyFrame(*motion, k)));
  }
}

}  // namespace Playback

int CTireloDoc::Play() {
  if (ui) return ui->ViewFrameCommand(Playback::CommandPlay);
  Playback::Play(*this);
  return 1;
}

int CTireloDoc::Pause() {
  if (ui) return ui->ViewFrameCommand(Playback::CommandPause);
  Playback::Pause(*this);
  return 1;
}
