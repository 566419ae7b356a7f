#include "ui/FieldNumber.h"

#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"

namespace condsim {

namespace {

std::string separatorName(char separator) {
    if (separator == '.') return "a period";
    if (separator == ',') return "a comma";
    return std::string("'") + separator + "'";
}

// The text with its one other decimal mark replaced by the separator, when that reads as
// a number; empty otherwise.
std::string withSeparator(std::string_view text, char separator) {
    const char other = separator == ',' ? '.' : ',';
    const auto mark = text.find(other);
    if (mark == std::string_view::npos || text.find(other, mark + 1) != std::string_view::npos)
        return {};
    std::string corrected(text);
    corrected[mark] = separator;
    return numberOrNothing(corrected) ? corrected : std::string();
}

// Whether the text is written as a number (blanks, a sign, digits with the separator, an
// exponent), so that it failed only by lying beyond the range of numbers ("1E5000").
bool writtenAsANumber(std::string_view text, char separator) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > start;
    };
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool mantissa = digits();
    if (i < text.size() && text[i] == separator) {
        ++i;
        mantissa = digits() || mantissa;
    }
    if (!mantissa) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digits()) return false;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    return i == text.size();
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
    const char* const why = writtenAsANumber(text, separator)
                                ? "', which is too large for a number: it takes "
                                : "', which is not a number: it takes ";
    std::string hint =
        "The field " + field.name + " holds '" + std::string(text) + why + field.accepts + ".";
    if (const std::string corrected = withSeparator(text, separator); !corrected.empty()) {
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
