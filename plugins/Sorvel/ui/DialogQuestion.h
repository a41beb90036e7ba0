// The frame-rate question answered by BvhExportDialog. No Qt in this header:
// the module's table installs it without knowing the toolkit.
#pragma once

#include "plugins/Sorvel/FrameRateQuestion.h"

namespace SorvelUi {

// Shows the dialog when the process has a QApplication; without one (a
// headless host) the initial value is taken as if OK were pressed.
Bvh::FrameRateQuestion& DialogQuestion();

}  // namespace SorvelUi
