// The engine library's own module: its folder (VoMaster::strPath) and the
// handle under which Initialize registers its built-in descriptors.
#pragma once

#include <string>

#include "platform/win32/WinTypes.h"

namespace VoEngineModule {

// File-system path of the loaded engine library (UTF-8); empty when unknown.
std::string LibraryFile();
// The engine library's handle, as a module that GetProcAddress can search.
HINSTANCE Handle();
// Whether `symbol` lies inside `module` itself and not in a library it
// depends on (a module without an entry must not borrow the engine's).
bool SymbolBelongsTo(HINSTANCE module, void* symbol);

}  // namespace VoEngineModule
