#include "files/NumberTextForm.h"

#include "files/NumberText.h"

namespace condsim {

bool hasNumberForm(std::string_view text, char separator) {
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

std::string withSeparatorForOtherMark(std::string_view text, char separator) {
    const char other = separator == ',' ? '.' : ',';
    const auto mark = text.find(other);
    if (mark == std::string_view::npos || text.find(other, mark + 1) != std::string_view::npos)
        return {};
    std::string corrected(text);
    corrected[mark] = separator;
    return numberOrNothing(corrected) ? corrected : std::string();
}

}  // namespace condsim
