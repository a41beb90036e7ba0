// The export dialog's texts in the system's Shift-JIS. They live apart from
// the Qt sources, which are compiled for UTF-8 (Qt's headers hold text that
// Shift-JIS cannot carry) and so hold no system text of their own.
#pragma once

namespace SorvelUi::DialogText {

extern const char* const kTitle;   // window title
extern const char* const kLabel;   // before the field
extern const char* const kUnit;    // after the field
extern const char* const kCancel;  // the cancel button

// Tells, through the module's message box, that the field needs a number
// from 0 to max.
void ShowRangeMessage(float max);

}  // namespace SorvelUi::DialogText
