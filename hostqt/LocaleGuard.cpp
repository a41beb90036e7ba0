#include "hostqt/LocaleGuard.h"

#include <clocale>

namespace HostQt {

void RestoreNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace HostQt
