// The Tandrel module's asker: the Qt dialog when the host runs a Qt
// application, OK with no pairs made otherwise (a headless host).
#pragma once

#include "plugins/Tandrel/ConverterAsker.h"

namespace TandrelUi {

class QtConverterAsker : public ConverterAsker {
 public:
  bool AskPairs(ConvertSession& session) override;
};

// The module's one instance.
ConverterAsker& ModuleAsker();

}  // namespace TandrelUi
