#include "platform/com/Variant.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/com/ComString.h"

VARIANT VARIANT::I4(int32_t v) {
  VARIANT r;
  r.vt = VT_I4, r.lVal = v;
  return r;
}

VARIANT VARIANT::UI4(uint32_t v) {
  VARIANT r;
  r.vt = VT_UI4, r.ulVal = v;
  return r;
}

VARIANT VARIANT::R4(float v) {
  VARIANT r;
  r.vt = VT_R4, r.fltVal = v;
  return r;
}

VARIANT VARIANT::Bool(bool v) {
  VARIANT r;
  r.vt = VT_BOOL, r.boolVal = v;
  return r;
}

VARIANT VARIANT::Bstr(std::u16string v) {
  VARIANT r;
  r.vt = VT_BSTR, r.bstrVal = std::move(v);
  return r;
}

bool operator==(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_I4: return a.lVal == b.lVal;
    case VT_UI4: return a.ulVal == b.ulVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_BOOL: return a.boolVal == b.boolVal;
    case VT_BSTR: return a.bstrVal == b.bstrVal;
    default: return true;
  }
}

namespace {

// Every value as a double or as text, the two forms conversions go through.
struct Source {
  bool isText = false;
  double number = 0.0;
  std::string text;  // ASCII digits, signs and letters only matter
};

Source Read(const VARIANT& v) {
  Source s;
  switch (v.vt) {
    case VT_I4: s.number = v.lVal; break;
    case VT_UI4: s.number = v.ulVal; break;
    case VT_R4: s.number = v.fltVal; break;
    // Automation's true is -1.
    case VT_BOOL: s.number = v.boolVal ? -1.0 : 0.0; break;
    case VT_BSTR: s.isText = true, s.text = Com::ToUtf8(v.bstrVal); break;
    default: break;
  }
  return s;
}

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Text to a number; false when it is not one.
bool ParseNumber(std::string_view text, double* out) {
  std::string_view t = Trim(text);
  if (t.empty()) return false;
  if (t.front() == '+') t.remove_prefix(1);
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), *out);
  return error == std::errc() && end == t.data() + t.size() && std::isfinite(*out);
}

bool ToInteger(double value, double lowest, double highest, double* out) {
  const double r = std::nearbyint(value);  // the default rounding: halves to even
  if (!(r >= lowest && r <= highest)) return false;
  *out = r;
  return true;
}

std::u16string NumberText(const VARIANT& v) {
  char buffer[64];
  std::to_chars_result r{};
  switch (v.vt) {
    case VT_I4: r = std::to_chars(buffer, buffer + sizeof buffer, v.lVal); break;
    case VT_UI4: r = std::to_chars(buffer, buffer + sizeof buffer, v.ulVal); break;
    case VT_R4: r = std::to_chars(buffer, buffer + sizeof buffer, v.fltVal); break;
    case VT_BOOL: return v.boolVal ? u"True" : u"False";
    default: return std::u16string();
  }
  return Com::FromUtf8(std::string_view(buffer, static_cast<size_t>(r.ptr - buffer)));
}

}  // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt) {
  if (!dest || !src) return E_POINTER;
  VARIANT out;
  out.vt = vt;
  if (vt == VT_BSTR) {
    out.bstrVal = src->vt == VT_BSTR ? src->bstrVal : NumberText(*src);
    *dest = std::move(out);
    return S_OK;
  }
  if (vt == VT_EMPTY) {
    *dest = out;
    return S_OK;
  }
  const Source s = Read(*src);
  double number = s.number;
  if (s.isText && vt == VT_R4) {
    // Straight to float: the shortest text of a float near the largest one
    // reads as a double just beyond it.
    std::string_view t = Trim(s.text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    float f = 0.0f;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), f);
    if (error == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
    if (t.empty() || error != std::errc() || end != t.data() + t.size() || !std::isfinite(f)) return DISP_E_TYPEMISMATCH;
    out.fltVal = f;
    *dest = std::move(out);
    return S_OK;
  }
  if (s.isText) {
    const std::string_view t = Trim(s.text);
    if (vt == VT_BOOL && EqualsNoCase(t, "true")) {
      number = -1.0;
    } else if (vt == VT_BOOL && EqualsNoCase(t, "false")) {
      number = 0.0;
    } else if (!ParseNumber(t, &number)) {
      return DISP_E_TYPEMISMATCH;
    }
  }
  double whole = 0.0;
  switch (vt) {
    case VT_I4:
      if (!ToInteger(number, -2147483648.0, 2147483647.0, &whole)) return DISP_E_OVERFLOW;
      out.lVal = static_cast<int32_t>(whole);
      break;
    case VT_UI4:
      if (!ToInteger(number, 0.0, 4294967295.0, &whole)) return DISP_E_OVERFLOW;
      out.ulVal = static_cast<uint32_t>(whole);
      break;
    case VT_R4: out.fltVal = static_cast<float>(number); break;  // integers and floats all fit
    case VT_BOOL: out.boolVal = number != 0.0; break;
    default: return DISP_E_TYPEMISMATCH;
  }
  *dest = std::move(out);
  return S_OK;
}
