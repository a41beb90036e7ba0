#include "ferrox/ferrox/MessageBox.h"

#include <array>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "ferrox/string/NativeName.h"

namespace Frx {

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

unsigned shown = 0;

// The buttons of each MB_* type, in order; a type past the table shows OK.
const std::array<int, 3> kButtons[] = {
    {IDOK, 0, 0},                    // MB_OK
    {IDOK, IDCANCEL, 0},             // MB_OKCANCEL
    {IDABORT, IDRETRY, IDIGNORE},    // MB_ABORTRETRYIGNORE
    {IDYES, IDNO, IDCANCEL},         // MB_YESNOCANCEL
    {IDYES, IDNO, 0},                // MB_YESNO
    {IDRETRY, IDCANCEL, 0},          // MB_RETRYCANCEL
};

const std::array<int, 3>& ButtonsOf(unsigned style) {
  const unsigned type = style & MB_TYPEMASK;
  return kButtons[type < std::size(kButtons) ? type : 0];
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

int DefaultMessageBoxAnswer(unsigned style) {
  // A default button the box does not have falls back to the first: a box
  // never answers with a button it does not show.
  const std::array<int, 3>& buttons = ButtonsOf(style);
  const unsigned def = (style & MB_DEFMASK) >> 8;
  return def < 3 && buttons[def] != 0 ? buttons[def] : buttons[0];
}

bool MessageBoxOffers(unsigned style, int button) {
  for (int offered : ButtonsOf(style))
    if (offered != 0 && offered == button) return true;
  return false;
}

unsigned MessageBoxesShown() { return shown; }

int ShowMessageBox(HWND owner, const char* text, const char* caption, unsigned style) {
  ++shown;
  if (Handler()) return Handler()(owner, text, caption, style);
  // A terminal reads UTF-8; the system's text is Shift-JIS.
  std::string shownCaption = NativeName::Cp932ToUtf8(caption ? caption : "");
  std::string shownText = NativeName::Cp932ToUtf8(text ? text : "");
  std::fprintf(stderr, "[%s] %s\n", shownCaption.c_str(), shownText.c_str());
  return DefaultMessageBoxAnswer(style);
}

}  // namespace Frx
