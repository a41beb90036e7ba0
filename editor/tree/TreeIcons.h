// The editor's 16-pixel image list, drawn here: one icon per image index an
// item reports (GetNumIcon), and 30 for the scoped character.
#pragma once

#include <QIcon>

namespace TreeIcons {

QIcon Icon(int index);

}  // namespace TreeIcons
