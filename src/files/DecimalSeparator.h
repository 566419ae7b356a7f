#pragma once
// The process-wide decimal separator of NumberText and number(t). It starts as the
// decimal symbol of the user's locale (a period when the locale gives none) and is read
// again when the system announces a change of the regional settings. The file value
// reader does not use it: files always use the period.

namespace condsim {

char decimalSeparator();
void setDecimalSeparator(char separator);

// The decimal symbol of the user's locale (LC_ALL, LC_NUMERIC, LANG), or '.' when it
// cannot be read or is not a single byte.
char decimalSeparatorOfUserLocale();

}  // namespace condsim
