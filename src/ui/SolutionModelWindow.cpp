#include "ui/SolutionModelWindow.h"

#include "core/Error.h"
#include "files/NumberText.h"
#include "model/ValueText.h"
#include "model/ionic/Solvent.h"
#include "ui/FieldNumber.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace condsim {

namespace {

// The window shows viscosities in mPa s; the model holds them in Pa s.
constexpr ext millipascalSecondsPerPascalSecond = 1000;

// The coefficients in one line, as the window and the report show them.
std::string coefficientsText(const SolventCoefficients& c) {
    return "A = " + NumberText(c.A) + "   B = " + NumberText(c.B) + "   E = " + NumberText(c.E) +
           "   R = " + NumberText(c.R);
}

// The window's four number fields, as a not-a-number error names them.
const FieldRule ionSizeField{"a (ion size, Angstrom)", "a positive decimal number, such as 4.5"};
const FieldRule temperatureField{"T (K)", "a positive decimal number of kelvin, such as 298.15"};
const FieldRule permittivityField{"eps_r", "a positive decimal number, such as 78.38"};
const FieldRule viscosityField{"eta (mPa s)", "a positive decimal number, such as 0.8903"};

// The number in a field of the solvent, in the model's units, checked against what a
// solvent may be; an error names the field and its text.
ext solventFieldValue(const std::string& text, const FieldRule& field, SolventValue which,
                      ext shownPerModel) {
    const ext value = fieldNumber(text, field) / shownPerModel;
    try {
        checkSolventValue(which, value);
    } catch (const Error& error) {
        throw error.withDetail("The field " + field.name + " holds '" + text + "'.");
    }
    return value;
}

}  // namespace

SolutionModelWindow::SolutionModelWindow(ProcessState& state) : state_(state) {
    showModel(state_.solution);
}

void SolutionModelWindow::connect(TForm1& form1, TForm2& form2) {
    form1_ = &form1;
    form2_ = &form2;
}

std::vector<std::string> SolutionModelWindow::solventChoices() {
    std::vector<std::string> names;
    for (const Solvent& solvent : solventPresets()) names.push_back(solvent.name);
    names.emplace_back("other");
    return names;
}

int SolutionModelWindow::otherSolventChoice() const {
    return static_cast<int>(solventPresets().size());
}

std::string SolutionModelWindow::solventTemperaturesLine() {
    std::string line = "Temperatures allowed:";
    const char* separator = " ";
    for (const Solvent& solvent : solventPresets()) {
        line += separator + solvent.name + " " + solventTemperaturesText(solvent.name);
        separator = "; ";
    }
    const SolventRange other = solventRange(SolventValue::Temperature);
    return line + "; other " + valueText(other.low, 6) + " to " + valueText(other.high, 6) + " K.";
}

bool SolutionModelWindow::temperatureTyped() const {
    if (!presetChosen()) return true;
    const std::string& name = solventPresets()[static_cast<size_t>(SolventChoice)].name;
    const SolventTemperatures allowed = solventTemperatures(name);
    return allowed.low != allowed.high;
}

bool SolutionModelWindow::presetChosen() const {
    return SolventChoice >= 0 && SolventChoice < otherSolventChoice();
}

void SolutionModelWindow::showModel(const SolutionModel& model) {
    Model = model.kind;
    SolventChoice = otherSolventChoice();
    const auto& presets = solventPresets();
    for (size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].name == model.solvent.name) SolventChoice = static_cast<int>(i);
    }
    BjerrumIonSize.setChecked(model.bjerrumIonSize);
    IonSize.setText(NumberText(model.ionSize));
    Temperature.setText(NumberText(model.solvent.temperature));
    Permittivity.setText(NumberText(model.solvent.permittivity));
    Viscosity.setText(NumberText(model.solvent.viscosity * millipascalSecondsPerPascalSecond));
    Coefficients.setText(coefficientsText(solventCoefficients(model.solvent)));
}

void SolutionModelWindow::Show() {
    showModel(state_.solution);
    window.showAndRaise();
}

void SolutionModelWindow::SolventChange() {
    if (!presetChosen()) return;  // "other" keeps the values typed
    const Solvent& preset = solventPresets()[static_cast<size_t>(SolventChoice)];
    Temperature.setText(NumberText(preset.temperature));
    Permittivity.setText(NumberText(preset.permittivity));
    Viscosity.setText(NumberText(preset.viscosity * millipascalSecondsPerPascalSecond));
    ValuesChange();
}

void SolutionModelWindow::ValuesChange() {
    // Values that give no solvent show why instead of coefficients, so that no earlier
    // solvent's coefficients stand beside them as if they were theirs.
    try {
        const Solvent solvent = solventOfFields();
        if (presetChosen()) {
            // A preset at the temperature typed: the values it takes there are shown.
            Permittivity.setText(NumberText(solvent.permittivity));
            Viscosity.setText(NumberText(solvent.viscosity * millipascalSecondsPerPascalSecond));
        }
        Coefficients.setText(coefficientsText(solventCoefficients(solvent)));
        if (BjerrumIonSize.checked() && form1_ != nullptr)
            IonSize.setText(NumberText(bjerrumDistance(solvent, form1_->n())));
    } catch (const Error& error) {
        const std::string& detail = error.detail();
        const std::string lastLine = detail.substr(detail.rfind('\n') + 1);
        Coefficients.setText("Not valid: " + withFinalPoint(error.text()) +
                             (lastLine.empty() ? "" : " " + lastLine));
    }
}

Solvent SolutionModelWindow::solventOfFields() const {
    if (presetChosen()) {
        const Solvent& preset = solventPresets()[static_cast<size_t>(SolventChoice)];
        if (!temperatureTyped()) return preset;
        const ext temperature = fieldNumber(Temperature.text(), temperatureField);
        try {
            return solventAtTemperature(preset.name, temperature);
        } catch (const Error& error) {
            throw error.withDetail("The field " + temperatureField.name + " holds '" +
                                   Temperature.text() + "'.");
        }
    }
    // One field after the other, so that the first bad one is named.
    const ext temperature =
        solventFieldValue(Temperature.text(), temperatureField, SolventValue::Temperature, 1);
    const ext permittivity =
        solventFieldValue(Permittivity.text(), permittivityField, SolventValue::Permittivity, 1);
    const ext viscosity =
        solventFieldValue(Viscosity.text(), viscosityField, SolventValue::Viscosity,
                          millipascalSecondsPerPascalSecond);
    return otherSolvent(temperature, permittivity, viscosity);
}

SolutionModel SolutionModelWindow::modelOfFields() const {
    SolutionModel model;
    model.kind = Model;
    model.solvent = solventOfFields();
    model.bjerrumIonSize = BjerrumIonSize.checked();
    if (model.bjerrumIonSize) {
        model.ionSize = bjerrumDistance(model.solvent, form1_ != nullptr ? form1_->n() : 2);
    } else {
        model.ionSize = fieldNumber(IonSize.text(), ionSizeField);
    }
    checkIonSize(model.ionSize);
    return model;
}

void SolutionModelWindow::OKClick() {
    const SolutionModel model = modelOfFields();
    state_.solution = model;
    showModel(model);
    window.hide();
    // Results already shown come from the model chosen before: calculate them again.
    const CellTable& calculated = form2_->StringGrid1;
    if (calculated.rowCount() > 1 && !calculated.cell(0, 1).empty()) form1_->Button3Click();
}

void SolutionModelWindow::CancelClick() { window.hide(); }

}  // namespace condsim
