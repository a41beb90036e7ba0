// The base of every COM-style interface of the player control, its class
// factory, and the count of live objects a module keeps for DllCanUnloadNow.
// Interfaces are plain abstract classes; an object that implements several
// overrides the three IUnknown functions once for all of them.
#pragma once

#include "platform/com/ComErrors.h"
#include "platform/com/Guid.h"

class IUnknown {
 public:
  // *out receives the interface with one reference taken, or null and E_NOINTERFACE.
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
  virtual unsigned long AddRef() = 0;
  // Frees the object when the last reference goes.
  virtual unsigned long Release() = 0;

 protected:
  ~IUnknown() = default;
};

class IClassFactory : public IUnknown {
 public:
  // A new object queried for `iid`; an outer object (aggregation) is refused.
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) = 0;
  // Keeps the module loaded while locked, whatever objects live.
  virtual HRESULT LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

namespace Com {

// Objects and locks alive in this module. The library is linked into each
// module with hidden symbols, so every module counts its own.
void ModuleLock();
void ModuleUnlock();
long ModuleLockCount();

// A class factory that makes objects with `create` (which returns the new
// object's interface for `iid`). One reference is handed out; it counts as a
// module lock while it lives.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);
IClassFactory* NewClassFactory(CreateFunction create);

}  // namespace Com
