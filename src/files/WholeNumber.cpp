#include "files/WholeNumber.h"

#include <climits>

namespace condsim {

bool parseWholeNumber(const std::string& text, int& value) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) return false;
    long long magnitude = 0;
    size_t digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + (text[i++] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
        ++digits;
    }
    while (i < n && text[i] == ' ') ++i;
    if (digits == 0 || i != n) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
    value = static_cast<int>(signedValue);
    return true;
}

}  // namespace condsim
