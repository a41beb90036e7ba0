// A ready sink for the player's events: decodes each _ISavoraPlayerEvents
// call and hands it to a virtual function. Header only, for containers and
// tests. The object is its owner's: AddRef and Release only count, so the
// owner must unadvise it (or release the control) before it goes.
#pragma once

#include <string>

#include "Lumacet/ISavoraPlayer.h"

class SavoraPlayerEventSink : public IDispatch {
 public:
  virtual ~SavoraPlayerEventSink() = default;

  virtual void ClickIn(int32_t x, int32_t y) = 0;
  virtual void MotionPeriod(const std::u16string& motion, int32_t isend, int32_t loopcount) = 0;

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID__ISavoraPlayerEvents) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  unsigned long AddRef() override { return ++refs_; }
  unsigned long Release() override { return --refs_; }
  unsigned long References() const { return refs_; }

  HRESULT GetIDsOfNames(const char16_t*, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT Invoke(DISPID id, uint16_t flags, const DISPPARAMS& params, VARIANT*) override {
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    const auto& a = params.args;  // last argument first
    if (id == DISPID_PLAYER_CLICKIN) {
      if (a.size() != 2) return DISP_E_BADPARAMCOUNT;
      if (a[1].vt != VT_I4 || a[0].vt != VT_I4) return DISP_E_TYPEMISMATCH;
      ClickIn(a[1].lVal, a[0].lVal);
      return S_OK;
    }
    if (id == DISPID_PLAYER_MOTIONPERIOD) {
      if (a.size() != 3) return DISP_E_BADPARAMCOUNT;
      if (a[2].vt != VT_BSTR || a[1].vt != VT_I4 || a[0].vt != VT_I4) return DISP_E_TYPEMISMATCH;
      MotionPeriod(a[2].bstrVal, a[1].lVal, a[0].lVal);
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  unsigned long refs_ = 0;
};
