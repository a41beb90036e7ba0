// Qt sets the process locale from the environment when the application
// object is made; numbers in the system's files are read and written in the
// C locale, so hosts put LC_NUMERIC back right after.
#pragma once

namespace HostQt {

void RestoreNumericLocale();

}  // namespace HostQt
