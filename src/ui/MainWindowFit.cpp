#include "ui/MainWindowFit.h"

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "fit/FitParameterisation.h"
#include "ui/FieldNumber.h"
#include "ui/TForm1.h"

namespace condsim {

FitSystem fitSystemOf(const TForm1& form) {
    const ProcessState& state = form.state();
    FitSystem system;
    system.n = form.n();
    system.K = state.model.K;
    system.model1 = form.CheckBox1.checked();
    system.alfa = toExt(form.SpinEdit2.value());
    system.sf = state.factors.sf;
    system.MCA = fieldNumber(form.MCA.text(), cationConductivityField());
    system.MCX = fieldNumber(form.MCX.text(), anionConductivityField());
    system.solution = form.solutionInUse();
    const ObservedData& observed = state.observed;
    for (int j = 1; j <= observed.count && j <= observedCapacity; ++j) {
        system.points.push_back(
            {observed.conc[static_cast<size_t>(j)], observed.cond[static_cast<size_t>(j)]});
    }
    return system;
}

FitResult fitConstants(const TForm1& form, const FitRequest& request) {
    FitSystem system;
    try {
        system = fitSystemOf(form);
    } catch (const Error& error) {
        FitResult result;
        result.reason = error.text();
        return result;
    }
    FitResult result = fitConstants(system, request);
    if (result.reason == noObservedPointsText)
        result.reason += std::string("\n") + noObservedDataHint;
    return result;
}

AnionCountComparison compareAnionCounts(const TForm1& form, const FitRequest& request, int fromN,
                                        int toN) {
    FitSystem system;
    try {
        system = fitSystemOf(form);
    } catch (const Error& error) {
        AnionCountComparison comparison;
        comparison.refusal = error.text();
        return comparison;
    }
    AnionCountComparison comparison = compareAnionCounts(system, request, fromN, toN);
    if (comparison.refusal == noObservedPointsText)
        comparison.refusal += std::string("\n") + noObservedDataHint;
    return comparison;
}

}  // namespace condsim
