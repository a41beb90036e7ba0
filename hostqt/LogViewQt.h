// The log window's view on Qt: a read-only text window that mirrors the log
// and tells the base library when the user closes it.
#pragma once

namespace HostQt {

// Installs the factory the base library's log window makes its view with.
void InstallLogView();

}  // namespace HostQt
