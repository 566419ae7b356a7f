#include "model/ValueText.h"

#include <cstdio>

namespace condsim {

std::string valueText(ext value, int significantDigits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*Lg", significantDigits, value);
    return text;
}

}  // namespace condsim
