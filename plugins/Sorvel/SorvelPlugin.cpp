// The Sorvel module: BVH import and export, with the export's dialog.
#include "plugins/Sorvel/ExportBVH.h"
#include "plugins/Sorvel/ImportBVH.h"
#include "plugins/Sorvel/ui/DialogQuestion.h"
#include "plugins/frame/PluginFrame.h"

namespace {

// Made when the module is loaded; the dialog itself only shows when the
// host runs a QApplication.
[[maybe_unused]] const bool dialogInstalled = (Bvh::SetFrameRateQuestion(&SorvelUi::DialogQuestion()), true);

}  // namespace

SAVORA_PLUGIN_DESCRIPTORS(ImportBVH, ExportBVH)
