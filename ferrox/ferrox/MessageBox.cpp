#include "ferrox/ferrox/MessageBox.h"

#include <cstdio>
#include <utility>

namespace Frx {

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

int DefaultMessageBoxAnswer(unsigned style) {
  static const int buttons[][3] = {
      {IDOK, IDOK, IDOK},              // MB_OK
      {IDOK, IDCANCEL, IDCANCEL},      // MB_OKCANCEL
      {IDABORT, IDRETRY, IDIGNORE},    // MB_ABORTRETRYIGNORE
      {IDYES, IDNO, IDCANCEL},         // MB_YESNOCANCEL
      {IDYES, IDNO, IDNO},             // MB_YESNO
      {IDRETRY, IDCANCEL, IDCANCEL},   // MB_RETRYCANCEL
  };
  unsigned type = style & MB_TYPEMASK;
  if (type > 5) type = 0;
  unsigned def = (style & MB_DEFMASK) >> 8;
  if (def > 2) def = 0;
  return buttons[type][def];
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, unsigned style) {
  if (Handler()) return Handler()(owner, text, caption, style);
  std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
  return DefaultMessageBoxAnswer(style);
}

}  // namespace Frx
