#include "files/NegativeValue.h"

#include "files/NumberText.h"

namespace condsim {

std::string negativeValueText(const std::string& name, ext value, const std::string& place,
                              const std::string& rule) {
    return name + " = " + NumberText(value) + (place.empty() ? "" : " " + place) +
           " is negative: " + rule;
}

}  // namespace condsim
