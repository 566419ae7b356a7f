#pragma once
// Readable names for the cases of parameterised tests: "a missing file" is shown and
// filtered as MissingFile, not as the bytes of the case's struct.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace condsim::testing {

// The words of a description joined in upper camel case, letters and digits only, with
// the articles dropped and a minus sign before a digit written as a word.
inline std::string caseName(std::string_view description) {
    std::string name;
    std::string word;
    const auto flush = [&] {
        if (!word.empty() && word != "a" && word != "an" && word != "the") {
            word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
            name += word;
        }
        word.clear();
    };
    for (size_t i = 0; i < description.size(); ++i) {
        const char c = description[i];
        const bool negativeNumber =
            c == '-' && i + 1 < description.size() &&
            std::isdigit(static_cast<unsigned char>(description[i + 1])) != 0;
        if (negativeNumber) {
            flush();
            word = "minus";
            flush();
        } else if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            word += c;
        } else {
            flush();
        }
    }
    flush();
    return name.empty() ? "Unnamed" : name;
}

// The name generator of a suite whose cases carry a `name` member.
struct NamedCase {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return caseName(info.param.name);
    }
};

}  // namespace condsim::testing
