#pragma once
// The number in a window field, read as number(t) reads every field. A text that is not a
// number raises the not-a-number error, whose Japanese text stays as it is, with one more
// line in English that names the field, repeats the text and says what the field takes;
// a text written with the other decimal mark ("0,5" where the separator is a period) is
// shown as it should be typed.

#include <string>
#include <string_view>

#include "core/Ext.h"

namespace condsim {

struct FieldRule {
    std::string name;     // "MCA, lambda(A/z)"
    std::string accepts;  // "a decimal number of 0 or more, such as 88"
};

// The limiting conductivities and K1 of the main window.
FieldRule cationConductivityField();
FieldRule anionConductivityField();
FieldRule beta1Field();
// The a of the scaling-factor window's hyperbolic rule.
FieldRule hyperbolicAField();

// The English line below the not-a-number error of a field.
std::string fieldNumberHint(const FieldRule& field, std::string_view text);

// number(text), or the not-a-number error with the field's line below it.
ext fieldNumber(std::string_view text, const FieldRule& field);

}  // namespace condsim
