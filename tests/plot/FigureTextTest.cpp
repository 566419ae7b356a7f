// The typesetting of the labelled figures' texts: the markup of raised and lowered runs,
// true minus signs in numbers, and the program's plain caption texts as a journal prints
// them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/FigureText.h"

namespace condsim {
namespace {

TEST(FigureText, MarkupSplitsIntoRaisedAndLoweredRuns) {
    using R = TextRun;
    const TextShift base = TextShift::Base, up = TextShift::Raised, down = TextShift::Lowered;
    const struct {
        const char* marked;
        std::vector<TextRun> runs;
    } cases[] = {
        {"S cm^{2} mol^{\u22121}",
         {R{"S cm", base}, R{"2", up}, R{" mol", base}, R{"\u22121", up}}},
        {"C_{0} / mol", {R{"C", base}, R{"0", down}, R{" / mol", base}}},
        {"^{a}^{b}", {R{"ab", up}}},
        {"x^2 and y_{ unclosed", {R{"x^2 and y_{ unclosed", base}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marked);
        EXPECT_EQ(textRuns(c.marked), c.runs);
    }
    EXPECT_EQ(unmarkedText("\u039b / S cm^{2} mol^{\u22121}"), "\u039b / S cm2 mol\u22121");
}

TEST(FigureText, FormulasAreTypeset) {
    const struct {
        const char* plain;
        const char* typeset;
    } cases[] = {
        {"Ca2+", "Ca^{2+}"},    {"CaCl+", "CaCl^{+}"},
        {"CaCl2", "CaCl_{2}"},  {"SO4 2-", "SO_{4}^{2\u2212}"},
        {"Cl-", "Cl^{\u2212}"}, {"Fe(CN)6 3-", "Fe(CN)_{6}^{3\u2212}"},
        {"AX0", "AX_{0}"},      {"2 H2O", "2 H_{2}O"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(typesetFormula(c.plain), c.typeset);
    }
}

TEST(FigureText, CaptionsAreTypeset) {
    const struct {
        const char* plain;
        const char* typeset;
    } cases[] = {
        {"-0.002, 5, -12", "\u22120.002, 5, \u221212"},
        {"AX2: K1 = 0.220253 L mol-1, K2 = 1.5e-05 L mol-1",
         "AX2: K_{1} = 0.220253 L mol^{\u22121}, K_{2} = 1.5 \u00d7 10^{\u22125} L mol^{\u22121}"},
        {"K(i+1) = 20 % of K(i) (Model #1); K3 = 2e+07",
         "K_{i+1} = 20 % of K_{i} (Model #1); K_{3} = 2 \u00d7 10^{7}"},
        {"lambda(A/z) = 88 S cm2 mol-1, lambda(X-) = -59 S cm2 mol-1",
         "\u03bb(A/z) = 88 S cm^{2} mol^{\u22121}, \u03bb(X^{\u2212}) = \u221259 S cm^{2} "
         "mol^{\u22121}"},
        {"Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A",
         "Debye\u2013H\u00fcckel + Onsager\u2013Fuoss, water 25 \u00b0C, a = 4.5 \u00c5"},
        {"other (T = 298.15 K, eps_r = 35.94); RMS residual 0.004 mS cm-1",
         "other (T = 298.15 K, \u03b5_{r} = 35.94); RMS residual 0.004 mS cm^{\u22121}"},
        // Hyphens that are no minus signs stay.
        {"AX0..AX6, Model-1 data-set", "AX0..AX6, Model-1 data-set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(typesetCaption(c.plain), c.typeset);
    }
}

}  // namespace
}  // namespace condsim
