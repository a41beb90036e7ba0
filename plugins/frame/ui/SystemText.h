// Text for plug-in dialogs. Their sources are compiled with UTF-8 literals (Qt's
// headers bring <chrono>, which cannot be compiled for Shift-JIS text), so
// labels are UTF-8; the system's Shift-JIS text (paths, item names) is
// converted here and nowhere else, never through Qt's implicit conversions.
#pragma once

#include <QString>
#include <string>

#include "ferrox/string/NativeName.h"

namespace PluginUi {

// A UTF-8 label of the dialog's own.
inline QString Label(const char* utf8) { return QString::fromUtf8(utf8); }

// Shift-JIS to and from Qt.
inline QString FromSystem(const char* text) {
  return QString::fromStdString(Frx::NativeName::Cp932ToUtf8(text ? text : ""));
}
inline QString FromSystem(const std::string& text) { return FromSystem(text.c_str()); }
inline std::string ToSystem(const QString& text) {
  return Frx::NativeName::Utf8ToCp932(text.toUtf8().constData()).Get();
}

// A system path as the file system names it, and back (file dialogs).
inline QString PathFromSystem(const std::string& path) {
  return QString::fromStdString(Frx::NativeName::ToNative(path.c_str()));
}
inline std::string PathToSystem(const QString& native) {
  return Frx::NativeName::FromNative(native.toUtf8().constData()).Get();
}

}  // namespace PluginUi
