// IDispatch: members called by number (DISPID), which is how scripts drive a
// control and how a control fires its events into its containers' sinks.
// Arguments travel as variants in reverse order, as automation passes them:
// the last argument is args[0].
#pragma once

#include <cstdint>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

using DISPID = int32_t;

enum : uint16_t {
  DISPATCH_METHOD = 1,
  DISPATCH_PROPERTYGET = 2,
  DISPATCH_PROPERTYPUT = 4,
};

struct DISPPARAMS {
  std::vector<VARIANT> args;  // last argument first
};

class IDispatch : public IUnknown {
 public:
  // The number of a member named `name` (letter case ignored, as automation
  // does); DISP_E_UNKNOWNNAME when there is none.
  virtual HRESULT GetIDsOfNames(const char16_t* name, DISPID* id) = 0;
  // Calls a member: a method, a property get (result receives the value) or a
  // put (the value is args[0]). Arguments are converted to the member's types;
  // DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH or DISP_E_MEMBERNOTFOUND
  // report calls that do not fit. result may be null.
  virtual HRESULT Invoke(DISPID id, uint16_t flags, const DISPPARAMS& params, VARIANT* result) = 0;

 protected:
  ~IDispatch() = default;
};
