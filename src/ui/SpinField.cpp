#include "ui/SpinField.h"

#include <climits>

namespace condsim {

SpinField::SpinField(int minimum, int maximum, int value)
    : minimum_(minimum), maximum_(maximum), text_(std::to_string(value)) {}

int SpinField::value() const {
    int parsed = 0;
    return parseWholeNumber(text_, parsed) ? parsed : minimum_;
}

int SpinField::clamped(int value) const {
    if (!hasRange()) return value;
    if (value < minimum_) return minimum_;
    if (value > maximum_) return maximum_;
    return value;
}

void SpinField::setValue(int value) {
    std::string text = std::to_string(clamped(value));
    if (text == text_) return;
    text_ = std::move(text);
    ++revision_;
}

void SpinField::setUserText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    ++revision_;
    if (onChange_) onChange_();
}

void SpinField::userSetText(const std::string& text) { setUserText(text); }

void SpinField::userStep(int delta) {
    const long long stepped = static_cast<long long>(value()) + delta;
    const int bounded = stepped > INT_MAX   ? INT_MAX
                        : stepped < INT_MIN ? INT_MIN
                                            : static_cast<int>(stepped);
    setUserText(std::to_string(clamped(bounded)));
}

void SpinField::userLeave() {
    int parsed = 0;
    if (!parseWholeNumber(text_, parsed)) {
        // Not a whole number ("", "-", "1.5"): it reads as the minimum, and from now on the
        // field shows that value. What the handlers read stays the same, so none runs.
        setValue(minimum_);
        return;
    }
    const int bounded = clamped(parsed);
    if (bounded != parsed) setUserText(std::to_string(bounded));
}

}  // namespace condsim
