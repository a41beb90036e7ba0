// The one replaceable message-box handler of the process. GUI hosts install a
// dialog; without one the text goes to standard error and the default button
// is answered. Tests install their own.
#pragma once

#include <functional>

#include "platform/win32/WinTypes.h"

namespace Frx {

// owner, text and caption (Shift-JIS), style (MB_* bits) -> pressed button (ID*).
using MessageBoxHandler =
    std::function<int(HWND owner, const char* text, const char* caption, unsigned style)>;

// Installs a handler (an empty one restores the default) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a box through the installed handler.
int ShowMessageBox(HWND owner, const char* text, const char* caption, unsigned style);

// How many boxes ShowMessageBox has shown in this process: a caller compares
// two readings to learn whether the work between them already told the user.
unsigned MessageBoxesShown();

// The answer of a box's default button (MB_DEFBUTTONn of its button set).
int DefaultMessageBoxAnswer(unsigned style);

// Whether a box of `style` shows the button that answers `button` (ID*).
bool MessageBoxOffers(unsigned style, int button);

}  // namespace Frx
