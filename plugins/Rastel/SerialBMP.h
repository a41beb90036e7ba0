// SerialBMP: the command "連番 BMP 出力". Plays motions of the host's scoped
// character frame by frame and writes numbered BMP screenshots of its 3D view.
#pragma once

#include "plugins/Rastel/SerialAsker.h"
#include "vocore/vocore/VoClassDescCommand.h"

class SerialBMP : public VoClassDescCommand {
 public:
  // `asker` shows the dialog (not owned); null keeps its initial values.
  explicit SerialBMP(SerialAsker* asker = nullptr) : asker_(asker) {}

  const char* ClassName() override { return "SerialBMP"; }
  char* MenuName() override;
  // The flags carry the host; the items are not used. 1 when every motion
  // was shot; 0 without host or motion, on Cancel, when the back buffer
  // cannot be read (reported through theFerrox), or, before any file is
  // written, when a motion's frame range is longer than the engine lets a
  // writer step through (with a message).
  int Execute(VoIItem* destination, VoIItem* source, unsigned long flags) override;

  void SetAsker(SerialAsker* asker) { asker_ = asker; }

 private:
  SerialAsker* asker_;
};
