#include "ui/SessionState.h"

#include <algorithm>
#include <cstring>

#include "core/Error.h"
#include "core/ReleaseInfo.h"
#include "files/DecimalSeparator.h"
#include "files/DelimitedTable.h"
#include "files/NumberText.h"
#include "files/ObservedDataFile.h"
#include "files/ObservedValueCheck.h"
#include "files/TextFile.h"
#include "fit/FitParameter.h"
#include "fit/FitWeighting.h"
#include "model/ionic/Solvent.h"
#include "ui/FitWindow.h"
#include "ui/ObservedDataImport.h"
#include "ui/SeriesWindow.h"

namespace condsim {

namespace {

// Viscosities are shown in mPa s and calculated in Pa s.
constexpr ext millipascalSecondsPerPascalSecond = 1000;

bool sameBits(ext a, ext b) {
    // The 80 bits of value; the padding of the type is not compared.
    return std::memcmp(&a, &b, 10) == 0;
}

// The text shown, with the value where the text does not read as it.
SessionNumber shown(const std::string& text, ext value, ext shownPerValue = 1) {
    const auto read = numberOrNothing(text);
    if (read && sameBits(*read / shownPerValue, value)) return {text, std::nullopt};
    return {text, value};
}

// The value of a session number: its exact value, or its text read as a field is read.
class Values {
  public:
    explicit Values(std::string fileName) : fileName_(std::move(fileName)) {}

    ext of(const SessionNumber& number, const std::string& key, ext shownPerValue = 1) const {
        if (number.exact) return *number.exact;
        const auto read = numberOrNothing(number.text);
        if (!read) refuse(key, "'" + number.text + "' is not a number");
        return *read / shownPerValue;
    }
    void refuseNonNumber(const std::string& text, const std::string& key) const {
        if (!numberOrNothing(text)) refuse(key, "'" + text + "' is not a number");
    }
    void checkRange(int value, const SpinField& field, const std::string& key) const {
        if (value < field.minimum() || value > field.maximum())
            refuse(key, std::to_string(value) + " is outside " + std::to_string(field.minimum()) +
                            ".." + std::to_string(field.maximum()) + ", the range of its field");
    }
    [[noreturn]] void refuse(const std::string& key, const std::string& why) const {
        refuseSession(fileName_, key, why);
    }

  private:
    std::string fileName_;
};

const char* kindName(SolutionModelKind kind) {
    switch (kind) {
        case SolutionModelKind::DebyeHuckel:
            return "debye-huckel";
        case SolutionModelKind::Davies:
            return "davies";
        case SolutionModelKind::Ideal:
            break;
    }
    return "ideal";
}

SolutionModelKind kindNamed(const std::string& name) {
    if (name == "debye-huckel") return SolutionModelKind::DebyeHuckel;
    if (name == "davies") return SolutionModelKind::Davies;
    return SolutionModelKind::Ideal;
}

const char* concentrationUnitName(ConcentrationUnit unit) {
    switch (unit) {
        case ConcentrationUnit::MillimolPerLitre:
            return "mmol/L";
        case ConcentrationUnit::MolPerKilogram:
            return "mol/kg";
        case ConcentrationUnit::MolPerLitre:
            break;
    }
    return "mol/L";
}

const char* conductivityUnitName(ConductivityUnit unit) {
    switch (unit) {
        case ConductivityUnit::SiemensPerCentimetre:
            return "S/cm";
        case ConductivityUnit::MillisiemensPerCentimetre:
            return "mS/cm";
        case ConductivityUnit::MicrosiemensPerCentimetre:
            return "uS/cm";
        case ConductivityUnit::SiemensPerMetre:
            return "S/m";
        case ConductivityUnit::EquivalentConductance:
            return "equivalent";
        case ConductivityUnit::MolarConductivity:
            break;
    }
    return "molar";
}

// Every text of the session that holds a number, changed by change. A session keeps numbers
// with the period, whatever separator the windows show, so that it opens the same under
// every locale: a number shown with another separator is written with the period
// (withPeriod), and read back with the separator of the windows (withFieldSeparator).
template <typename Change>
Session withNumberTexts(Session s, Change change) {
    for (auto& pair : s.observed)
        for (SessionNumber& number : pair) number.text = change(number.text);
    if (s.imported) s.imported->density = change(s.imported->density);
    for (std::string* text : {&s.beta1, &s.MCA, &s.MCX, &s.factors.a}) *text = change(*text);
    for (std::string& text : s.plotRange) text = change(text);
    for (auto& row : s.constants)
        for (SessionNumber& number : row) number.text = change(number.text);
    for (SessionNumber& number : s.factors.values) number.text = change(number.text);
    for (SessionNumber* number : {&s.solution.ionSize, &s.solution.temperature,
                                  &s.solution.permittivity, &s.solution.viscosity})
        number->text = change(number->text);
    // The list of a series keeps its numbers with the period already (SeriesWindow::entries).
    if (s.series)
        for (std::string* text : {&s.series->temperature, &s.series->anion}) *text = change(*text);
    return s;
}

// What the windows will take, every value checked before any of them changes.
struct Restored {
    std::vector<ext> observed;  // concentration and conductivity, pair by pair
    std::vector<std::array<std::string, 2>> constantTexts;
    std::vector<ext> beta, K;  // rows 1.. of the table
    ScalingFactors factors;
    SolutionModel solution;
    std::vector<FitParameter> fitParameters;
    FitWeighting weighting = FitWeighting::Absolute;
};

Restored checkedValues(const Application& app, const Session& s, const Values& v,
                       const std::string& fileName) {
    Restored r;
    const TForm1& form = app.Form1;
    if (s.observed.size() > static_cast<size_t>(observedCapacity))
        v.refuse("observed.pairs", tooManyObservedPairsText);
    if (!s.pairsInSession && !s.dataFile.empty()) {
        try {
            r.observed = ReadObservedDataFile(s.dataFile).values;
        } catch (const Error& error) {
            v.refuse("observed.file", withFinalPoint(error.text()) + " " + error.detail());
        }
        if (r.observed.size() > 2 * static_cast<size_t>(observedCapacity))
            v.refuse("observed.file", tooManyObservedPairsText);
    }
    // The pairs pass the checks of File/Open: concentrations above 0, a conductivity above 0.
    ObservedValueCheck check(fileName);
    for (size_t i = 0; i < s.observed.size(); ++i) {
        const std::string key = "observed.pairs[" + std::to_string(i) + "]";
        r.observed.push_back(v.of(s.observed[i][0], key + "[0]"));
        r.observed.push_back(v.of(s.observed[i][1], key + "[1]"));
        try {
            check.add(r.observed[2 * i], r.observed[2 * i + 1], static_cast<int>(i) + 1);
        } catch (const Error& error) {
            v.refuse(key, error.text());
        }
    }
    if (!s.observed.empty()) {
        try {
            check.finish();
        } catch (const Error& error) {
            v.refuse("observed.pairs", error.text());
        }
    }
    if (s.imported) {
        const SessionImport& i = *s.imported;
        if (i.skip < 0) v.refuse("observed.import.skip", "a number of lines is 0 or more");
        if (i.concentrationColumn < 1 || i.conductivityColumn < 1 ||
            i.concentrationColumn == i.conductivityColumn)
            v.refuse("observed.import.columns", "two different column numbers from 1");
        if (i.concentrationUnit == "mol/kg")
            v.refuseNonNumber(i.density, "observed.import.density");
    }
    v.checkRange(s.n, form.SpinEdit1, "main.n");
    v.checkRange(s.alfa, form.SpinEdit2, "main.alfa");
    v.checkRange(s.points, form.SpinEdit3, "main.points");
    v.checkRange(s.scale, form.SpinEdit4, "main.scale");
    v.checkRange(s.factors.gradient, app.Form3.katamuki, "scalingFactors.gradient");
    v.refuseNonNumber(s.beta1, "main.beta1");
    v.refuseNonNumber(s.MCA, "main.MCA");
    v.refuseNonNumber(s.MCX, "main.MCX");
    if (s.constants.size() >= static_cast<size_t>(speciesCapacity))
        v.refuse("main.constants", "more than " + std::to_string(speciesCapacity - 1) + " rows");
    for (size_t i = 0; i < s.constants.size(); ++i) {
        const std::string key = "main.constants[" + std::to_string(i) + "]";
        r.constantTexts.push_back({s.constants[i][0].text, s.constants[i][1].text});
        r.beta.push_back(v.of(s.constants[i][0], key + "[0]"));
        r.K.push_back(v.of(s.constants[i][1], key + "[1]"));
    }
    if (s.factors.values.size() > static_cast<size_t>(speciesCapacity))
        v.refuse("scalingFactors.values",
                 "more than " + std::to_string(speciesCapacity) + " factors");
    for (size_t i = 0; i < s.factors.values.size(); ++i)
        r.factors.sf[i] =
            v.of(s.factors.values[i], "scalingFactors.values[" + std::to_string(i) + "]");
    if (s.factors.tableRows < 0 || s.factors.tableRows > speciesCapacity + 1)
        v.refuse("scalingFactors.tableRows", "outside 0.." + std::to_string(speciesCapacity + 1));

    const SessionSolution& m = s.solution;
    r.solution.kind = kindNamed(m.kind);
    r.solution.bjerrumIonSize = m.bjerrum;
    r.solution.ionSize = v.of(m.ionSize, "solutionModel.ionSize");
    try {
        checkIonSize(r.solution.ionSize);
    } catch (const Error& error) {
        v.refuse("solutionModel.ionSize", error.text());
    }
    const auto choices = SolutionModelWindow::solventChoices();
    if (std::find(choices.begin(), choices.end(), m.solvent) == choices.end())
        v.refuse("solutionModel.solvent", "'" + m.solvent + "' is not a solvent of this condsim");
    const std::pair<const SessionNumber*, SolventValue> solventValues[] = {
        {&m.temperature, SolventValue::Temperature},
        {&m.permittivity, SolventValue::Permittivity},
        {&m.viscosity, SolventValue::Viscosity}};
    const char* names[] = {"temperature", "permittivity", "viscosity"};
    ext values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::string key = std::string("solutionModel.") + names[i];
        const bool viscosity = solventValues[i].second == SolventValue::Viscosity;
        values[i] =
            v.of(*solventValues[i].first, key, viscosity ? millipascalSecondsPerPascalSecond : 1);
        try {
            checkSolventValue(solventValues[i].second, values[i]);
        } catch (const Error& error) {
            v.refuse(key, error.text());
        }
    }
    r.solution.solvent = {m.solvent, values[0], values[1], values[2]};

    try {
        if (!s.fitParameters.empty()) r.fitParameters = parseFitParameterList(s.fitParameters);
    } catch (const Error& error) {
        v.refuse("fit.parameters", error.text());
    }
    parseFitWeighting(s.fitWeights, r.weighting);

    // A series names its data files, which Run reads: they must be there.
    if (s.series) {
        for (size_t i = 0; i < s.series->sets.size(); ++i) {
            const std::string& file = s.series->sets[i].dataFile;
            if (!file.empty() && !fileExists(file))
                v.refuse("temperatureSeries.sets[" + std::to_string(i) + "].file",
                         "the data file " + file + " does not exist");
        }
    }
    return r;
}

const char* const globalFitNames[] = {"none", "free", "walden"};

std::optional<SessionSeries> sessionSeriesOf(const SeriesWindow& window) {
    SessionSeries s;
    s.sets = window.entries();
    s.temperature = window.temperature.text();
    s.anion = window.anion.text();
    s.globalFit = globalFitNames[static_cast<int>(window.globalFit)];
    s.heatCapacity = window.heatCapacity.checked();
    if (s == SessionSeries{}) return std::nullopt;
    return s;
}

void restoreSeriesWindow(SeriesWindow& window, const SessionSeries& s) {
    window.replaceSets(s.sets);
    window.temperature.setText(s.temperature);
    window.anion.setText(s.anion);
    for (int i = 0; i < 3; ++i)
        if (s.globalFit == globalFitNames[i]) window.globalFit = static_cast<SeriesGlobalFit>(i);
    window.heatCapacity.setChecked(s.heatCapacity);
}

}  // namespace

std::string fitParameterOption(const std::vector<FitParameter>& parameters) {
    std::string list;
    for (const FitParameter& parameter : parameters)
        list += (list.empty() ? "" : ",") + fitParameterName(parameter);
    return list;
}

SessionImport sessionImportOf(const ObservedDataImport& import) {
    SessionImport s;
    s.file = import.fileName();
    s.separator = columnSeparatorName(import.separator);
    s.skip = import.skippedLines;
    s.decimalComma = import.decimalComma == DecimalComma::Yes  ? "yes"
                     : import.decimalComma == DecimalComma::No ? "no"
                                                               : "auto";
    s.concentrationColumn = import.concentrationColumn;
    s.conductivityColumn = import.conductivityColumn;
    s.concentrationUnit = concentrationUnitName(import.concentrationUnit);
    s.density = import.density.text();
    s.conductivityUnit = conductivityUnitName(import.conductivityUnit);
    return s;
}

Session takeSession(const Application& app, const SessionWindows& windows) {
    const ProcessState& state = app.state;
    const TForm1& form = app.Form1;
    Session s;
    s.version = programVersion;
    s.dataFile = state.observed.fileName;
    for (int r = 1; r <= state.observed.count; ++r) {
        s.observed.push_back({shown(form.StringGrid1.cell(0, r), state.observed.conc[r]),
                              shown(form.StringGrid1.cell(1, r), state.observed.cond[r])});
    }
    s.imported = state.observedImport;
    s.n = form.SpinEdit1.value();
    s.beta1 = form.beta1.text();
    s.alfa = form.SpinEdit2.value();
    s.model1 = form.CheckBox1.checked();
    s.MCA = form.MCA.text();
    s.MCX = form.MCX.text();
    s.points = form.SpinEdit3.value();
    s.scale = form.SpinEdit4.value();
    s.plotRange = {form.Edit1.text(), form.Edit2.text(), form.Edit3.text(), form.Edit4.text()};
    s.constantsSet = state.constantsSet;
    const int rows = std::min(form.StringGrid2.rowCount() - 1, speciesCapacity - 1);
    for (int r = 1; r <= rows; ++r) {
        s.constants.push_back({shown(form.StringGrid2.cell(0, r), state.model.beta[r]),
                               shown(form.StringGrid2.cell(1, r), state.model.K[r])});
    }

    const auto& sf = state.factors.sf;
    int last = speciesCapacity - 1;
    while (last >= 0 && sameBits(sf[last], 1)) --last;
    for (int i = 0; i <= last; ++i) s.factors.values.push_back(shown(NumberText(sf[i]), sf[i]));
    s.factors.gradient = app.Form3.katamuki.value();
    s.factors.a = app.Form3.a_value.text();
    s.factors.tableRows =
        app.Form3.StringGrid2.cell(0, 0).empty() ? 0 : app.Form3.StringGrid2.rowCount();

    const SolutionModel& model = state.solution;
    s.solution.kind = kindName(model.kind);
    s.solution.bjerrum = model.bjerrumIonSize;
    s.solution.ionSize = shown(NumberText(model.ionSize), model.ionSize);
    s.solution.solvent = model.solvent.name;
    s.solution.temperature =
        shown(NumberText(model.solvent.temperature), model.solvent.temperature);
    s.solution.permittivity =
        shown(NumberText(model.solvent.permittivity), model.solvent.permittivity);
    s.solution.viscosity =
        shown(NumberText(model.solvent.viscosity * millipascalSecondsPerPascalSecond),
              model.solvent.viscosity, millipascalSecondsPerPascalSecond);

    if (const FitWindow* fit = windows.fit) {
        s.fitParameters = fitParameterOption(fit->request().parameters);
        s.fitWeights = fitWeightingName(fit->weighting);
    }
    if (windows.series != nullptr) s.series = sessionSeriesOf(*windows.series);
    s.calculated = !state.calculation.empty();
    return withNumberTexts(std::move(s), withPeriod);
}

void restoreSession(Application& app, const Session& saved, const std::string& fileName,
                    const SessionWindows& windows) {
    const Session s = withNumberTexts(saved, withFieldSeparator);
    const Values v(fileName);
    const Restored r = checkedValues(app, s, v, fileName);
    ProcessState& state = app.state;
    TForm1& form = app.Form1;

    // Nothing below refuses: every value was checked above.
    state.calculation = {};
    state.calculationStarted = false;
    form.LoadObservedPairs(s.dataFile, r.observed);
    state.observedImport = s.imported;
    form.SpinEdit1.setValue(s.n);
    form.beta1.setText(s.beta1);
    form.SpinEdit2.setValue(s.alfa);
    form.CheckBox1.setChecked(s.model1);
    form.MCA.setText(s.MCA);
    form.MCX.setText(s.MCX);
    form.SpinEdit3.setValue(s.points);
    form.SpinEdit4.setValue(s.scale);
    form.SetConstantsTable(r.constantTexts, r.beta, r.K);
    state.constantsSet = s.constantsSet;

    state.factors = r.factors;
    app.Form3.katamuki.setValue(s.factors.gradient);
    app.Form3.a_value.setText(s.factors.a);
    if (s.factors.tableRows > 0) app.Form3.FillFactorTable(s.factors.tableRows - 1);

    state.solution = r.solution;
    app.SolutionModelForm.showProcessModel();

    if (FitWindow* fit = windows.fit) {
        for (const FitParameter& parameter : fit->offered()) fit->choose(parameter, false);
        for (const FitParameter& parameter : r.fitParameters) fit->choose(parameter, true);
        fit->weighting = r.weighting;
    }
    if (windows.series != nullptr)
        restoreSeriesWindow(*windows.series, s.series.value_or(SessionSeries{}));

    // The drawing of File/Open sets the range of the observed data that the sweep spans;
    // the fields of the range then show the session's texts until a calculation redraws.
    app.Form2.StringGrid1.setRowCount(1);
    form.DrawObservedPlot();
    form.Edit1.setText(s.plotRange[0]);
    form.Edit2.setText(s.plotRange[1]);
    form.Edit3.setText(s.plotRange[2]);
    form.Edit4.setText(s.plotRange[3]);
    if (s.calculated) form.Button3Click();
}

}  // namespace condsim
