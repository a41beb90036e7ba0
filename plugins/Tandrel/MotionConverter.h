// MotionConverter: the command "モーションコンバータ". Retargets every motion
// of a source character (the selected item) onto a destination character
// (the displayed item) through pairs of their skeletons' locates.
#pragma once

#include "plugins/Tandrel/ConverterAsker.h"
#include "vocore/vocore/VoClassDescCommand.h"

class MotionConverter : public VoClassDescCommand {
 public:
  // `asker` shows the pairing dialog (not owned); null answers OK unpaired.
  explicit MotionConverter(ConverterAsker* asker = nullptr) : asker_(asker) {}

  const char* ClassName() override { return "MotionConverter"; }
  char* MenuName() override;
  // The flags carry the host. 1 when the motions were converted; 0 without
  // host, for items the checks refuse, on Cancel or a failed conversion.
  int Execute(VoIItem* destination, VoIItem* source, unsigned long flags) override;

  void SetAsker(ConverterAsker* asker) { asker_ = asker; }

 private:
  ConverterAsker* asker_;
};

// Both items are characters, different, and the source has a bound motion;
// otherwise shows why (OK box) and returns 0.
int CheckConvertItems(VoIItem* destination, VoIItem* source);
