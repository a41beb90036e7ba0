#include "ferrox/ferrox/ShowMessage.h"

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/FormatText.h"

namespace Frx {

int ShowMessageV(const char* caption, int type, const char* format, va_list args) {
  char text[ShowMessageLimit];
  FormatTextV(text, sizeof text, format, args);
  // The text is logged as it is: a "%" in it is not a format.
  theFerrox.Log("%s", text);
  return ShowMessageBox(theFerrox.GetWindow(), text, caption ? caption : "",
                        static_cast<unsigned>(type));
}

}  // namespace Frx
