// The Rastel module's asker: the Qt dialogs when the host runs a Qt
// application, the dialogs' initial values otherwise (a headless host).
#pragma once

#include "plugins/Rastel/SerialAsker.h"

namespace RastelUi {

class QtSerialAsker : public SerialAsker {
 public:
  bool AskBmp(SerialBmpAnswers& answers) override;
  bool AskMqo(SerialMqoAnswers& answers) override;
};

// The module's one instance.
SerialAsker& ModuleAsker();

}  // namespace RastelUi
