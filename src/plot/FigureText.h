#pragma once
// The text of a labelled figure with its typesetting: units and indices are written with
// a small markup, "S cm^{2} mol^{−1}" or "C_{0}", that the backends draw as raised or
// lowered runs in a smaller size (SVG as tspans of one text element, PDF and PNG as text
// runs), so that no backend needs to draw text as outlines.

#include <string>
#include <vector>

namespace condsim {

enum class TextShift { Base, Raised, Lowered };

struct TextRun {
    std::string text;  // UTF-8
    TextShift shift = TextShift::Base;
    bool operator==(const TextRun&) const = default;
};

// The runs of a marked text: "^{...}" raises and "_{...}" lowers what the braces hold;
// everything else is base text. A "^" or "_" without a brace, or a brace that is not
// closed, is kept as text.
std::vector<TextRun> textRuns(const std::string& marked);

// The text without its markup: "S cm2 mol−1".
std::string unmarkedText(const std::string& marked);

// The minus sign U+2212 in place of every hyphen that stands for a minus in a number
// ("-0.002" and "10^{-7}" become "−0.002" and "10^{−7}").
std::string withMinusSigns(const std::string& numberText);

// A caption line of the program's plain texts typeset for a figure: the units' powers
// raised ("S cm2 mol-1" as "S cm^{2} mol^{−1}"), numbers in exponent form as
// "1.5 × 10^{−5}", true minus signs, the Greek letters of lambda and eps_r, "25 °C",
// "4.5 Å" for an ion size, and "Debye–Hückel" (the reports keep their ASCII texts).
std::string typesetCaption(const std::string& plain);

// A chemical formula as written in plain text ("Ca2+", "CaCl+", "CaCl2", "SO4 2-") in the
// markup: the digits after an element or a closing bracket lowered ("CaCl_{2}"), a charge at
// the end (digits right before the final + or -) raised with a true minus ("Ca^{2+}",
// "SO_{4}^{2−}").
std::string typesetFormula(const std::string& formula);

inline constexpr const char* minusSign = "\u2212";

}  // namespace condsim
