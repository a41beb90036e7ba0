// The system's Shift-JIS text and Qt's strings meet only here.
#pragma once

#include <QByteArray>
#include <QString>

namespace HostQt {

QString FromSjis(const char* text);
QString FromSjis(const QByteArray& text);
// Characters without a Shift-JIS form become "?".
QByteArray ToSjis(const QString& text);

}  // namespace HostQt
