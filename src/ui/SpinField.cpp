#include "ui/SpinField.h"

#include <climits>
#include <utility>

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

void SpinField::committed(bool wasTyping) {
    if (wasTyping && onCommit_) onCommit_();
}

void SpinField::userSetText(const std::string& text) {
    if (text == text_) return;
    typing_ = true;
    setUserText(text);
}

bool SpinField::userCommit() {
    const bool wasTyping = std::exchange(typing_, false);
    committed(wasTyping);
    return wasTyping;
}

void SpinField::userStep(int delta) {
    const bool wasTyping = std::exchange(typing_, false);
    const long long stepped = static_cast<long long>(value()) + delta;
    const int bounded = stepped > INT_MAX   ? INT_MAX
                        : stepped < INT_MIN ? INT_MIN
                                            : static_cast<int>(stepped);
    setUserText(std::to_string(clamped(bounded)));
    committed(wasTyping);
}

void SpinField::userLeave() {
    const bool wasTyping = std::exchange(typing_, false);
    int parsed = 0;
    if (!parseWholeNumber(text_, parsed)) {
        // Not a whole number ("", "-", "1.5"): it reads as the minimum, and from now on the
        // field shows that value. What the handlers read stays the same, so none runs.
        setValue(minimum_);
    } else if (const int bounded = clamped(parsed); bounded != parsed) {
        setUserText(std::to_string(bounded));
    }
    committed(wasTyping);
}

}  // namespace condsim
