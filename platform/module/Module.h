// Module loading: the Win32 LoadLibraryA/GetProcAddress/FreeLibrary calls over
// dlopen/dlsym/dlclose. A Windows-style name such as "plugins\pelarn.dll" is
// mapped: separators become "/", a final ".dll" becomes ".so", and a relative
// name is looked up in the program folder (the folder of this library).
#pragma once

#include <string>

#include "platform/win32/WinTypes.h"

// Null when the module cannot be loaded (RTLD_NOW | RTLD_LOCAL).
HMODULE LoadLibraryA(const char* name);
void* GetProcAddress(HMODULE module, const char* symbol);
BOOL FreeLibrary(HMODULE module);

namespace Platform {

// The file-system path LoadLibraryA would open for `name`.
std::string MapModuleName(const char* name);
// The program folder, with a trailing "/".
std::string ProgramFolder();
// The last failure's text from the dynamic loader (empty when none).
std::string LastModuleError();

// Tests: make a module name (as given to LoadLibraryA, compared without regard
// to case) fail to load, or load again.
void SetModuleMissing(const char* name, bool missing);

}  // namespace Platform
