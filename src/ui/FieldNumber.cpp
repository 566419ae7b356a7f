#include "ui/FieldNumber.h"

#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"
#include "files/NumberTextForm.h"

namespace condsim {

namespace {

std::string separatorName(char separator) {
    if (separator == '.') return "a period";
    if (separator == ',') return "a comma";
    return std::string("'") + separator + "'";
}

}  // namespace

FieldRule cationConductivityField() {
    return {"MCA, lambda(A/z)", "a decimal number of 0 or more, such as 88"};
}

FieldRule anionConductivityField() {
    return {"MCX, lambda(X-)", "a decimal number of 0 or more, such as 59"};
}

FieldRule beta1Field() { return {"Beta(1)", "a decimal number of 0 or more, such as 10000"}; }
FieldRule hyperbolicAField() {
    return {"a of Type 2 for the gradient", "a decimal number other than 0, such as 1 or -0.5"};
}

std::string fieldNumberHint(const FieldRule& field, std::string_view text) {
    const char separator = decimalSeparator();
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return "The field " + field.name + " is empty: it takes " + field.accepts + ".";
    const char* const why = hasNumberForm(text, separator)
                                ? "', which is too large for a number: it takes "
                                : "', which is not a number: it takes ";
    std::string hint =
        "The field " + field.name + " holds '" + std::string(text) + why + field.accepts + ".";
    if (const std::string corrected = withSeparatorForOtherMark(text, separator);
        !corrected.empty()) {
        hint +=
            " The decimal separator is " + separatorName(separator) + ": type '" + corrected + "'.";
    }
    return hint;
}

ext fieldNumber(std::string_view text, const FieldRule& field) {
    try {
        return number(text);
    } catch (const Error& error) {
        throw error.withDetail(fieldNumberHint(field, text));
    }
}

}  // namespace condsim
