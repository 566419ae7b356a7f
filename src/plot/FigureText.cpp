#include "plot/FigureText.h"

#include <cctype>
#include <regex>

namespace condsim {

std::vector<TextRun> textRuns(const std::string& marked) {
    std::vector<TextRun> runs;
    const auto append = [&runs](std::string text, TextShift shift) {
        if (text.empty()) return;
        if (!runs.empty() && runs.back().shift == shift)
            runs.back().text += text;
        else
            runs.push_back({std::move(text), shift});
    };
    std::string base;
    for (size_t i = 0; i < marked.size(); ++i) {
        const char c = marked[i];
        if ((c == '^' || c == '_') && i + 1 < marked.size() && marked[i + 1] == '{') {
            const size_t close = marked.find('}', i + 2);
            if (close != std::string::npos) {
                append(std::move(base), TextShift::Base);
                base.clear();
                append(marked.substr(i + 2, close - i - 2),
                       c == '^' ? TextShift::Raised : TextShift::Lowered);
                i = close;
                continue;
            }
        }
        base += c;
    }
    append(std::move(base), TextShift::Base);
    return runs;
}

std::string unmarkedText(const std::string& marked) {
    std::string text;
    for (const TextRun& run : textRuns(marked)) text += run.text;
    return text;
}

std::string withMinusSigns(const std::string& numberText) {
    std::string text;
    for (size_t i = 0; i < numberText.size(); ++i) {
        const char c = numberText[i];
        const bool beforeDigit = i + 1 < numberText.size() &&
                                 (std::isdigit(static_cast<unsigned char>(numberText[i + 1])) ||
                                  numberText[i + 1] == '.');
        text += c == '-' && beforeDigit ? std::string(minusSign) : std::string(1, c);
    }
    return text;
}

std::string typesetFormula(const std::string& formula) {
    std::string body = formula;
    std::string charge;
    if (!body.empty() && (body.back() == '+' || body.back() == '-')) {
        size_t start = body.size() - 1;
        while (start > 0 && std::isdigit(static_cast<unsigned char>(body[start - 1]))) --start;
        charge = body.substr(start);
        body.erase(start);
        while (!body.empty() && body.back() == ' ') body.pop_back();
        if (charge.back() == '-') charge.replace(charge.size() - 1, 1, minusSign);
    }
    std::string text;
    for (size_t i = 0; i < body.size();) {
        const bool afterElement = i > 0 && (std::isalpha(static_cast<unsigned char>(body[i - 1])) ||
                                            body[i - 1] == ')' || body[i - 1] == ']');
        if (afterElement && std::isdigit(static_cast<unsigned char>(body[i]))) {
            size_t end = i;
            while (end < body.size() && std::isdigit(static_cast<unsigned char>(body[end]))) ++end;
            text += "_{" + body.substr(i, end - i) + "}";
            i = end;
        } else {
            text += body[i++];
        }
    }
    return charge.empty() ? text : text + "^{" + charge + "}";
}

std::string typesetCaption(const std::string& plain) {
    struct Rule {
        std::regex pattern;
        const char* replacement;
    };
    static const Rule rules[] = {
        {std::regex(R"(Debye-Hueckel)"), "Debye\u2013H\u00fcckel"},
        {std::regex(R"(Onsager-Fuoss)"), "Onsager\u2013Fuoss"},
        // Numbers in exponent form first, before their hyphens become minus signs.
        {std::regex(R"((\d(?:\.\d+)?)e([-+]?)0*(\d+))"), "$1 \u00d7 10^{$2$3}"},
        {std::regex(R"(\^\{\+)"), "^{"},
        {std::regex(R"(\bK(\d+)\b)"), "K_{$1}"},
        {std::regex(R"(\bK\((i(?:\+1)?)\))"), "K_{$1}"},
        {std::regex(R"(\blambda\()"), "\u03bb("},
        {std::regex(R"(\beps_r\b)"), "\u03b5_{r}"},
        {std::regex(R"(\(X-\))"), "(X^{\u2212})"},
        {std::regex(R"(\b(m?S) cm2 mol-1\b)"), "$1 cm^{2} mol^{\u22121}"},
        {std::regex(R"(\b(m?S) cm-1\b)"), "$1 cm^{\u22121}"},
        {std::regex(R"(\bL mol-1\b)"), "L mol^{\u22121}"},
        {std::regex(R"(\bmol L-1\b)"), "mol L^{\u22121}"},
        // A temperature in degrees Celsius and an ion size in angstrom.
        {std::regex(R"((\d) C\b)"), "$1 \u00b0C"},
        {std::regex(R"((\d) A\b)"), "$1 \u00c5"},
        {std::regex(R"((^|[\s(=\{])-(?=[\d.]))"), "$1\u2212"},
    };
    std::string text = plain;
    for (const Rule& rule : rules) text = std::regex_replace(text, rule.pattern, rule.replacement);
    return text;
}

}  // namespace condsim
