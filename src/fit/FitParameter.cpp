#include "fit/FitParameter.h"

#include <algorithm>

#include "core/Error.h"
#include "files/NumberText.h"
#include "files/WholeNumber.h"
#include "model/EquilibriumModel.h"

namespace condsim {

std::string fitParameterName(const FitParameter& parameter) {
    switch (parameter.kind) {
        case FitParameterKind::StepwiseConstant:
            return "K" + integerText(parameter.index);
        case FitParameterKind::Alfa:
            return "alfa";
        case FitParameterKind::MCA:
            return "MCA";
        case FitParameterKind::MCX:
            return "MCX";
        case FitParameterKind::IonSize:
            return "a";
    }
    return {};
}

std::string fitParameterNameList(const std::vector<FitParameter>& parameters) {
    std::string names;
    for (size_t k = 0; k < parameters.size(); ++k) {
        if (k > 0) names += k + 1 == parameters.size() ? " and " : ", ";
        names += fitParameterName(parameters[k]);
    }
    return names;
}

namespace {

FitParameter parameterNamed(const std::string& name) {
    if (name == "alfa") return FitParameter::alfa();
    if (name == "MCA") return FitParameter::mca();
    if (name == "MCX") return FitParameter::mcx();
    if (name == "a") return FitParameter::ionSize();
    int index = 0;
    // "K" followed by digits only: parseWholeNumber alone would also take "K+1" or "K 1".
    const bool digitsOnly =
        name.size() > 1 && name[0] == 'K' &&
        std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digitsOnly && parseWholeNumber(name.substr(1), index) && index >= 1 &&
        index < speciesCapacity) {
        return FitParameter::stepwiseConstant(index);
    }
    throw Error("unknown fit parameter '" + name + "' (use K1..K100, alfa, MCA, MCX or a)");
}

}  // namespace

std::vector<FitParameter> parseFitParameterList(std::string_view list) {
    std::vector<FitParameter> parameters;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string name = trimmed(
            list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
        if (name.empty())
            throw Error("empty name in the fit parameter list '" + std::string(list) + "'");
        const FitParameter parameter = parameterNamed(name);
        if (std::find(parameters.begin(), parameters.end(), parameter) != parameters.end()) {
            throw Error("fit parameter '" + name + "' is named twice");
        }
        parameters.push_back(parameter);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return parameters;
}

}  // namespace condsim
