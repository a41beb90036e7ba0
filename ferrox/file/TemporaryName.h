// Names of the temporary files that writers replace their targets with, and
// removal of those that a killed writer left behind. A temporary lies beside
// its target as ".<name>.savora-<pid>-<n>.tmp", so whether it is stale can be
// decided from the name; no file of another naming is ever touched.
#pragma once

#include <string>

namespace Frx::TemporaryName {

// A new name for a temporary of target file name `name` (no folder), unique
// within this process. Very long names are shortened so the result stays a
// valid file name.
std::string Make(const std::string& name);

// The writer's process id when `name` (no folder) is a temporary's name.
bool Parse(const std::string& name, long* pid);

// Marks a temporary of this process (its name from Make) as being written,
// or done.
void Hold(const std::string& name);
void Release(const std::string& name);

// Removes the stale temporaries in a native folder ("" for the current one,
// else ending in "/"): regular files of ours (by name and by owner, the
// effective user) unmodified for an hour, or for
// two minutes when their writer is gone (another process no longer running,
// or this process with no writer holding it). The grace period spares a
// writer on another machine that shares the folder.
void Sweep(const std::string& folder);

}  // namespace Frx::TemporaryName
