// SerialMQO: the command "連番 MQO 出力". Plays the scoped character's motion
// frame by frame and writes the character as numbered Metasequoia files
// through the engine's exporter.
#pragma once

#include "plugins/Rastel/SerialAsker.h"
#include "vocore/vocore/VoClassDescCommand.h"

class SerialMQO : public VoClassDescCommand {
 public:
  // `asker` shows the dialog (not owned); null keeps its initial values.
  explicit SerialMQO(SerialAsker* asker = nullptr) : asker_(asker) {}

  const char* ClassName() override { return "SerialMQO"; }
  char* MenuName() override;
  // The flags carry the host; the items are not used. 1 when the frames
  // were written (a file the exporter refuses is skipped); 0 without host
  // or motion, on Cancel, or for a frame range longer than the engine
  // lets a writer step through (with a message).
  int Execute(VoIItem* destination, VoIItem* source, unsigned long flags) override;

  void SetAsker(SerialAsker* asker) { asker_ = asker; }

 private:
  SerialAsker* asker_;
};
