// VoIMotion: a named set of keyed controls over frames. Turns the
// character's time into the current frame and edits keys across all of its
// controls at once. A nested motion drives a sub-character.
#pragma once

#include "vocore/item/Ptable.h"
#include "vocore/motion/VoIKeyControl.h"

class VoIMotion : public VoIControl {
 public:
  enum : unsigned long { CLASS_ID = 97 };
  enum KeyExist { KEY_NONE = 0, KEY_ALL = 1, KEY_SOME = 2 };
  explicit VoIMotion(VoIBranch* parent = nullptr) : VoIControl(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 24; }
  VoIMotion* IsMotion() override { return this; }
  // Copies the settings and makes a copy of every child under this motion.
  void Copy(VoIItem* source) override;
  int Update(unsigned long) override { return 1; }
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;

  float GetFrame() const { return frame; }
  void SetFrame(float f) { frame = f; }
  void SetEndFrame(long e) { endframe = e; }
  // frame := t * rate, wrapped into the end frame as the loop flag says.
  void SetFrameFromTime(float t);

  int GetControlSize();
  int TransKeyframe(long to, long from);
  void CopyKeyframe(long to, long from);
  int DeleteKeyframe(long frame);
  KeyExist ExistKeyframe(long frame);
  // Distinct key frames over every keyed control.
  int GetKeyframeSize();
  // One entry per distinct key frame: frame * 2 where every keyed control
  // has a key, frame * 2 + 1 where only some have. Emptied when no control
  // has keys.
  int MakeFrameTable(Ptable<long>& table);
  void ChangeCurveType(VoCurveType kind);
  int IsTopLevel();

  float frame = 0.0f;
  float rate = 1.0f;
  long endframe = 0;
  int loop = 0;
  int changed = 1;

  // The longest frame range (last minus first) that a writer stepping a
  // motion frame by frame takes: an hour at 60 frames a second. Writers
  // refuse longer ranges before they open a file.
  static constexpr long MaxOutputFrames = 216000;

 private:
  // The keyed-control children in child order.
  void KeyControls(std::vector<VoIKeyControlBase*>& out);
  // One merge over the keyed controls; calls emit(frame, all) per distinct frame.
  template <class Emit>
  int MergeKeyFrames(Emit emit);
};
