// VARIANT: the tagged value that automation calls, events and property bags
// pass. Only the kinds the player's interface uses exist; a BSTR value is a
// std::u16string owned by the variant.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/ComErrors.h"

enum VARTYPE : uint16_t {
  VT_EMPTY = 0,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_BSTR = 8,
  VT_BOOL = 11,
  VT_UI4 = 19,
};

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  int32_t lVal = 0;
  uint32_t ulVal = 0;
  float fltVal = 0.0f;
  bool boolVal = false;
  std::u16string bstrVal;

  static VARIANT I4(int32_t v);
  static VARIANT UI4(uint32_t v);
  static VARIANT R4(float v);
  static VARIANT Bool(bool v);
  static VARIANT Bstr(std::u16string v);
};

// Same kind and value (floats compared exactly).
bool operator==(const VARIANT& a, const VARIANT& b);

// dest := src converted to `vt` (dest may be src). Text is read and written in
// the C locale: integers in decimal with an optional sign, floats in their
// shortest exact form, booleans as "True"/"False" (or a number). Floats round
// to the nearest integer, halves to even. A value out of the target's range
// gives DISP_E_OVERFLOW, text that is no number DISP_E_TYPEMISMATCH; dest is
// then unchanged.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt);
