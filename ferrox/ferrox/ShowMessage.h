// The printf-style message box of the editor and of every plug-in: the text
// is formatted into 1,024 characters, logged, then shown through the
// process's message-box handler. Each module wraps it in its own ShowMessage.
#pragma once

#include <cstdarg>

namespace Frx {

constexpr int ShowMessageLimit = 1024;

// type: the box style (0 OK, 1 OK and Cancel, 36 Yes and No with a question
// icon). Returns the button pressed (1 OK, 6 Yes, 7 No, 2 Cancel).
int ShowMessageV(const char* caption, int type, const char* format, va_list args);

}  // namespace Frx
