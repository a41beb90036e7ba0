// The editor's message box: formats into 1,024 characters (cut safely at a
// character boundary), logs the text and shows it through the process's
// message-box handler. type: 0 OK, 1 OK and Cancel, 36 Yes and No with a
// question icon. Returns the button pressed (1 OK, 2 Cancel, 6 Yes, 7 No).
#pragma once

int ShowMessage(int type, const char* format, ...) __attribute__((format(printf, 2, 3)));
