// Module loading: the Win32 LoadLibraryA/GetProcAddress/FreeLibrary calls over
// dlopen/dlsym/dlclose. A Windows-style name such as "plugins\pelarn.dll" is
// mapped: the Shift-JIS name is converted to UTF-8, separators become "/", a
// final ".dll" (any case) becomes ".so" (a name without extension gets ".so"),
// and a relative name is looked up in the program folder (the folder of this
// library). When the exact file is missing, a file whose path matches without
// regard to ASCII case is taken, as Windows would find it.
//
// "dpnhpast.dll", which callers load only to learn that DirectX 8.1 is present,
// is answered by a stand-in handle that needs no file.
#pragma once

#include <string>

#include "platform/win32/WinTypes.h"

// Null when the module cannot be loaded (RTLD_NOW | RTLD_LOCAL). Each
// successful call takes one reference, which FreeLibrary drops.
HMODULE LoadLibraryA(const char* name);
// Null for a missing symbol or a handle that is not a loaded module.
void* GetProcAddress(HMODULE module, const char* symbol);
// FALSE for a null handle or one that is not a loaded module.
BOOL FreeLibrary(HMODULE module);
// The module's file path as system (Shift-JIS) text with "/" separators; a null
// module is the main program. Copies at most size - 1 characters and a NUL;
// returns the characters copied, size when the path was cut, 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

namespace Platform {

// The file-system path LoadLibraryA would open for `name` (empty for no name).
std::string MapModuleName(const char* name);
// The program folder, with a trailing "/".
std::string ProgramFolder();
// The last failure's text from the dynamic loader (empty when none).
std::string LastModuleError();

// Tests: make a module fail to load, or load again. A name with a folder is
// compared by its mapped path; a bare file name ("dpnhpast.dll") matches that
// file in any folder. Both compare without regard to case.
void SetModuleMissing(const char* name, bool missing);

}  // namespace Platform
