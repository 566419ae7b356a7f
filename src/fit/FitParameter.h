#pragma once
// The quantities a fit can adjust: stepwise constants K(i) of the current table, alfa of
// Model #1 (which then generates K(2..n) from K(1)), and the limiting molar conductivities
// MCA and MCX, and in the ionic-strength model the ion size a (Angstrom). Their names are
// the ones the user types: "K1".."K100", "alfa", "MCA", "MCX", "a".

#include <string>
#include <string_view>
#include <vector>

namespace condsim {

enum class FitParameterKind { StepwiseConstant, Alfa, MCA, MCX, IonSize };

struct FitParameter {
    FitParameterKind kind = FitParameterKind::StepwiseConstant;
    int index = 0;  // i of K(i) for a stepwise constant, 0 otherwise

    static FitParameter stepwiseConstant(int i) { return {FitParameterKind::StepwiseConstant, i}; }
    static FitParameter alfa() { return {FitParameterKind::Alfa, 0}; }
    static FitParameter mca() { return {FitParameterKind::MCA, 0}; }
    static FitParameter mcx() { return {FitParameterKind::MCX, 0}; }
    static FitParameter ionSize() { return {FitParameterKind::IonSize, 0}; }

    // Constants of the equilibrium (K(i), alfa) and the ion size are fitted as their
    // logarithm so that they stay positive; MCA and MCX as they are.
    bool onLogarithmicScale() const {
        return kind == FitParameterKind::StepwiseConstant || kind == FitParameterKind::Alfa ||
               kind == FitParameterKind::IonSize;
    }
    bool operator==(const FitParameter&) const = default;
};

std::string fitParameterName(const FitParameter& parameter);
// The names as a list in words: "K1", "K1 and a", "K1, MCA and a".
std::string fitParameterNameList(const std::vector<FitParameter>& parameters);

// Parses a comma-separated list such as "K1,alfa,MCA" (blanks around names allowed).
// Throws Error naming the offending entry when a name is unknown, repeated or empty.
std::vector<FitParameter> parseFitParameterList(std::string_view list);

}  // namespace condsim
