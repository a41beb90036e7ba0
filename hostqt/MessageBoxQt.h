// The Qt message box behind the base library's message-box handler: box
// styles (MB_* bits) in, the pressed button (ID*) out.
#pragma once

#include <QMessageBox>

namespace HostQt {

// Installs the Qt box as the process's message-box handler. Escape and the
// frame's close button never answer Cancel to an OK/Cancel box, nor Yes to a
// question.
void InstallMessageBox();

// The buttons, default button and icon of a box style.
QMessageBox::StandardButtons ButtonsOf(unsigned style);
QMessageBox::StandardButton DefaultButtonOf(unsigned style);
QMessageBox::Icon IconOf(unsigned style);
// The ID* answer of a pressed button.
int AnswerOf(QMessageBox::StandardButton button);

}  // namespace HostQt
