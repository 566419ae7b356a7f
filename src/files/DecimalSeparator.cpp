#include "files/DecimalSeparator.h"

#include <langinfo.h>
#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale and locale_t are POSIX, declared here

#include <algorithm>
#include <atomic>
#include <cstring>

#include "files/NumberText.h"

namespace condsim {

namespace {
std::atomic<char> separator{'.'};
}

char decimalSeparator() { return separator.load(std::memory_order_relaxed); }

void setDecimalSeparator(char newSeparator) {
    separator.store(newSeparator, std::memory_order_relaxed);
}

char decimalSeparatorOfUserLocale() {
    // A locale object of its own, so that the process's C locale (and with it the
    // formatting of every other library) stays as it is.
    locale_t userLocale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (userLocale == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, userLocale);
    char result = '.';
    if (radix != nullptr && std::strlen(radix) == 1) result = radix[0];
    freelocale(userLocale);
    return result;
}

std::string withPeriod(const std::string& text) {
    const char fieldSeparator = decimalSeparator();
    if (fieldSeparator == '.' || !numberOrNothing(text)) return text;
    std::string changed = text;
    std::replace(changed.begin(), changed.end(), fieldSeparator, '.');
    return changed;
}

std::string withFieldSeparator(const std::string& text) {
    const char fieldSeparator = decimalSeparator();
    if (fieldSeparator == '.') return text;
    std::string changed = text;
    std::replace(changed.begin(), changed.end(), '.', fieldSeparator);
    return numberOrNothing(changed) ? changed : text;
}

}  // namespace condsim
