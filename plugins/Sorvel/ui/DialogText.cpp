#include "plugins/Sorvel/ui/DialogText.h"

#include "plugins/frame/PluginFrame.h"

namespace SorvelUi::DialogText {

const char* const kTitle = "BVH エクスポート";
const char* const kLabel = "出力間隔";
const char* const kUnit = "フレーム／秒";
const char* const kCancel = "ｷｬﾝｾﾙ";

void ShowRangeMessage(float max) { ShowMessage(0, "0 から %g までの数値を入力してください。", double(max)); }

}  // namespace SorvelUi::DialogText
