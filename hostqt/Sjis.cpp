#include "hostqt/Sjis.h"

#include <cstring>

#include "platform/win32/Cp932.h"

namespace HostQt {

QString FromSjis(const char* text) {
  if (!text) return QString();
  const std::string utf8 = Platform::Cp932::ToUtf8(text, std::strlen(text));
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FromSjis(const QByteArray& text) {
  const std::string utf8 = Platform::Cp932::ToUtf8(text.constData(), static_cast<size_t>(text.size()));
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray ToSjis(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::string sjis = Platform::Cp932::FromUtf8(utf8.constData(), static_cast<size_t>(utf8.size()));
  return QByteArray(sjis.data(), static_cast<qsizetype>(sjis.size()));
}

}  // namespace HostQt
