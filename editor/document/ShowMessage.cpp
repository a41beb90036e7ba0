#include "editor/document/ShowMessage.h"

#include <cstdarg>

#include "ferrox/ferrox/ShowMessage.h"

int ShowMessage(int type, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int answer = Frx::ShowMessageV("Savora", type, format, args);
  va_end(args);
  return answer;
}
