// Tool-bar icons, drawn here: one 16-pixel picture per command id.
#pragma once

#include <QIcon>

namespace ToolIcons {

QIcon Icon(int commandId);

}  // namespace ToolIcons
