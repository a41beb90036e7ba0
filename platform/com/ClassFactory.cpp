#include <atomic>
#include <new>

#include "platform/com/Unknown.h"

namespace Com {

namespace {

std::atomic<long> theLocks{0};

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(CreateFunction create) : create_(create) { ModuleLock(); }
  ~ClassFactory() { ModuleUnlock(); }

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  unsigned long AddRef() override { return ++refs_; }
  unsigned long Release() override {
    const unsigned long n = --refs_;
    if (n == 0) delete this;
    return n;
  }

  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
  }
  HRESULT LockServer(BOOL lock) override {
    lock ? ModuleLock() : ModuleUnlock();
    return S_OK;
  }

 private:
  CreateFunction create_;
  unsigned long refs_ = 1;
};

}  // namespace

void ModuleLock() { ++theLocks; }
void ModuleUnlock() { --theLocks; }
long ModuleLockCount() { return theLocks; }

IClassFactory* NewClassFactory(CreateFunction create) {
  return create ? new (std::nothrow) ClassFactory(create) : nullptr;
}

}  // namespace Com
