#include "ui/CalculationCaption.h"

#include <charconv>
#include <vector>

#include "core/Error.h"
#include "files/NumberText.h"

namespace condsim {

namespace {

// Constants listed one by one up to this n; beyond it only K1 and the rule are named.
constexpr int listedConstants = 8;

std::string shortText(ext value) {
    char text[64];
    return {text,
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr};
}

// A field's value in short form, or its text as it stands when it is not a number.
std::string fieldText(const std::string& text) {
    try {
        return shortText(number(text));
    } catch (const Error&) {
        return text;
    }
}

std::string joined(const std::vector<std::string>& parts) {
    std::string line;
    for (const auto& part : parts) line += (line.empty() ? "" : ", ") + part;
    return line;
}

}  // namespace

std::string calculationCaption(const CaptionParameters& parameters) {
    const int n = parameters.n;
    const SpeciesArray& K = parameters.K;
    std::string caption = "AX" + integerText(n) + ": ";
    if (parameters.model1) {
        caption += "K1 = " + shortText(K[1]) +
                   " L mol-1, K(i+1) = " + integerText(parameters.alfa) + " % of K(i) (Model #1)";
    } else if (n <= listedConstants) {
        // Each constant by its name, so that no reader has to count along a list.
        std::vector<std::string> values;
        for (int i = 1; i <= n; ++i)
            values.push_back("K" + integerText(i) + " = " + shortText(K[i]) + " L mol-1");
        caption += joined(values);
    } else {
        caption += "K1 = " + shortText(K[1]) + " L mol-1, K2..K" + integerText(n) +
                   " from the constants table";
    }
    caption += "; lambda(A/z) = " + fieldText(parameters.MCA) +
               " S cm2 mol-1, lambda(X-) = " + fieldText(parameters.MCX) + " S cm2 mol-1";

    std::vector<std::string> factors;
    bool anyNotOne = false;
    for (int i = 0; i < n; ++i) {
        const ext sf = parameters.sf[static_cast<size_t>(i)];
        anyNotOne = anyNotOne || sf != 1;
        factors.push_back(shortText(sf));
    }
    if (anyNotOne)
        caption += "; scaling factors AX0..AX" + integerText(n - 1) + " = " + joined(factors);
    return caption;
}

}  // namespace condsim
