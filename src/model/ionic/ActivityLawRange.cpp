#include "model/ionic/ActivityLawRange.h"

#include "model/ValueText.h"

namespace condsim {

ext activityLawRangeLimit(SolutionModelKind kind) {
    switch (kind) {
        case SolutionModelKind::Ideal:
            return 0;
        case SolutionModelKind::DebyeHuckel:
            return 0.1L;
        case SolutionModelKind::Davies:
            return 0.5L;
    }
    return 0;
}

void ActivityLawRangeTally::add(ext C0, ext ionicStrength) {
    ++counted_;
    if (!(limit_ > 0 && ionicStrength > limit_)) return;
    if (beyond_ == 0 || C0 < firstC0_) {
        firstC0_ = C0;
        firstStrength_ = ionicStrength;
    }
    if (beyond_ == 0 || ionicStrength > highestStrength_) highestStrength_ = ionicStrength;
    ++beyond_;
}

std::string ActivityLawRangeTally::note(const std::string& points) const {
    if (beyond_ == 0) return {};
    const auto text = [](ext value) { return valueText(value, 6); };
    return "The ionic strength is above the range of " + solutionModelKindName(model_.kind) +
           " (I up to " + text(limit_) + " mol/L) at " + std::to_string(beyond_) + " of " +
           std::to_string(counted_) + " " + points + ", from C0 = " + text(firstC0_) +
           " mol/L (I = " + text(firstStrength_) + " mol/L) up to I = " + text(highestStrength_) +
           " mol/L: results there are outside the model's range";
}

}  // namespace condsim
