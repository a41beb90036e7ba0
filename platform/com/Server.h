// Modules that serve COM-style classes: registering one (what the editor does
// with the player at start-up) and making an object of a registered class
// (what a container does with a control it knows by name).
#pragma once

#include <string>

#include "platform/com/Unknown.h"

namespace Com {

// Loads the module by its system name ("lumacet.dll" is found in the program
// folder), calls its DllRegisterServer (or DllUnregisterServer) and frees it.
// E_FAIL when the module or the entry is missing, else the entry's result.
HRESULT RegisterServer(const char* moduleName, bool unregister = false);

// The class registered under a program id ("Lumacet.SavoraPlayer", its
// current version followed) or a "{CLSID}" text.
bool ClassFromName(const std::string& name, CLSID* clsid);

// A new object of a registered class, queried for `iid`: the module recorded
// as the class's in-process server is loaded (it stays loaded for the life of
// the process) and its class factory asked. REGDB_E_CLASSNOTREG when the
// class or its module is not registered, E_FAIL when the module cannot be
// loaded, else the factory's result.
HRESULT CreateInstance(REFCLSID clsid, REFIID iid, void** out);

}  // namespace Com
