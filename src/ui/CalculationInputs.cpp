#include "ui/CalculationInputs.h"

#include "ui/TForm1.h"

namespace condsim {

namespace {

bool sameSolvent(const Solvent& a, const Solvent& b) {
    return a.name == b.name && a.temperature == b.temperature && a.permittivity == b.permittivity &&
           a.viscosity == b.viscosity;
}

}  // namespace

bool CalculationInputs::operator==(const CalculationInputs& other) const {
    return n == other.n && K == other.K && beta == other.beta && model1 == other.model1 &&
           alfa == other.alfa && MCA == other.MCA && MCX == other.MCX && factors == other.factors &&
           dataFileName == other.dataFileName && observed == other.observed &&
           observedTexts == other.observedTexts && solutionKind == other.solutionKind &&
           sameSolvent(solvent, other.solvent) && ionSize == other.ionSize;
}

CalculationInputs calculationInputsOf(const TForm1& form) {
    const ProcessState& state = form.state();
    CalculationInputs inputs;
    inputs.n = form.n();
    const auto species = static_cast<size_t>(inputs.n);
    inputs.K.assign(state.model.K.begin() + 1, state.model.K.begin() + 1 + species);
    inputs.beta.assign(state.model.beta.begin() + 1, state.model.beta.begin() + 1 + species);
    inputs.model1 = form.CheckBox1.checked();
    inputs.alfa = form.SpinEdit2.value();
    inputs.MCA = form.MCA.text();
    inputs.MCX = form.MCX.text();
    inputs.factors.assign(state.factors.sf.begin(), state.factors.sf.begin() + species);
    inputs.dataFileName = state.observed.fileName;
    for (int i = 1; i <= state.observed.count && i <= observedCapacity; ++i) {
        inputs.observed.push_back(state.observed.conc[static_cast<size_t>(i)]);
        inputs.observed.push_back(state.observed.cond[static_cast<size_t>(i)]);
    }
    const CellTable& table = form.StringGrid1;
    for (int row = 1; row < table.rowCount(); ++row) {
        inputs.observedTexts.push_back(table.cell(0, row));
        inputs.observedTexts.push_back(table.cell(1, row));
    }
    inputs.solutionKind = state.solution.kind;
    inputs.solvent = state.solution.solvent;
    inputs.ionSize = form.solutionInUse().ionSize;
    return inputs;
}

}  // namespace condsim
