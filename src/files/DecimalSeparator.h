#pragma once
// The process-wide decimal separator of NumberText and number(t). It starts as the
// decimal symbol of the user's locale (a period when the locale gives none) and is read
// again when the system announces a change of the regional settings. The file value
// reader does not use it: files always use the period.

#include <string>

namespace condsim {

char decimalSeparator();
void setDecimalSeparator(char separator);

// The decimal symbol of the user's locale (LC_ALL, LC_NUMERIC, LANG), or '.' when it
// cannot be read or is not a single byte.
char decimalSeparatorOfUserLocale();

// A number text of the fields with the period in place of the process decimal separator,
// as files carry it; a text that is not a number stays as it is.
std::string withPeriod(const std::string& text);
// The reverse: a number text written with the period, with the process decimal separator
// as the fields show it; a text that does not read as a number then stays as it is.
std::string withFieldSeparator(const std::string& text);

}  // namespace condsim
