// System.fit_series: a temperature series as condsim-batch --series runs it: the separate
// fit at each temperature, the van 't Hoff line through their K1 and, when asked, the
// global fit (condsim.SeriesResult, condsim.SeriesFit, condsim.VantHoff,
// condsim.GlobalFit, condsim.Estimate).

#include <pybind11/stl.h>

#include <cmath>
#include <filesystem>

#include "System.h"
#include "core/Error.h"
#include "files/CsvText.h"
#include "files/SeriesFile.h"
#include "files/TextFile.h"
#include "fit/SeriesTables.h"
#include "model/ionic/Solvent.h"

namespace condsim::python {

namespace {

constexpr const char* seriesFromPython = "(series from Python)";

// What a series run gives: the result with every name of the private folder as the caller
// knows it, and the texts the batch tool prints and writes.
struct SeriesRun {
    SeriesResult result;
    std::string table;   // standard output: the table per temperature, van 't Hoff, global
    std::string csv;     // --series-csv
    std::string report;  // --series-report
    std::vector<std::string> messages;  // the data sets without a fit, as standard error
    bool complete = false;
};

// One estimate of van 't Hoff or of the global fit, with the name its table gives it.
struct Estimate {
    std::string name;
    ext value = 0;
    ext standardError = 0;
    ext lower = 0;
    ext upper = 0;
    bool hasProfile = false;
    ext profileLower = 0;
    ext profileUpper = 0;
};

Estimate estimateOf(const std::string& name, const VantHoffEstimate& e) {
    return {name, e.value, e.standardError, e.lower, e.upper, false, 0, 0};
}

Estimate estimateOf(const GlobalEstimate& e) {
    return {e.name,  e.value,      e.standardError, e.lower,
            e.upper, e.hasProfile, e.profileLower,  e.profileUpper};
}

std::string absoluteFile(const char* keyword, const py::handle& value) {
    if (!py::isinstance<py::str>(value) && !py::hasattr(value, "__fspath__"))
        throw ModuleError{ErrorKind::Usage, std::string(keyword) + " takes a file name, not " +
                                                py::repr(value).cast<std::string>()};
    const auto name = py::module_::import("os").attr("fspath")(value).cast<std::string>();
    return std::filesystem::absolute(name).string();
}

// The data of one data set of a list: a file name, an ObservedData or (concentrations,
// conductivities); data without a file of their own are written to the folder.
std::string dataFileOf(const py::handle& data, int index, const PrivateFolder& folder) {
    if (py::isinstance<py::str>(data) || py::hasattr(data, "__fspath__"))
        return absoluteFile("data", data);
    if (!py::isinstance<ObservedData>(data) &&
        (!py::isinstance<py::sequence>(data) || py::len(data) != 2))
        throw ModuleError{ErrorKind::Usage,
                          "the data of a series take a file name, an ObservedData or "
                          "(concentrations, conductivities), not " +
                              py::repr(data).cast<std::string>()};
    const py::object observed =
        py::isinstance<ObservedData>(data)
            ? py::reinterpret_borrow<py::object>(data)
            : py::module_::import("condsim").attr("ObservedData")(data.cast<py::sequence>()[0],
                                                                  data.cast<py::sequence>()[1]);
    const auto& kept = observed.cast<const ObservedData&>();
    if (kept.fileName) {
        try {
            if (readTextFile(*kept.fileName) == kept.fileText) return *kept.fileName;
        } catch (const Error&) {
            // Gone or unreadable since: the kept text is written instead.
        }
    }
    const std::string file = folder.file("data-" + std::to_string(index) + ".txt");
    writeWholeFile(file, kept.fileText);
    folder.showAs(file, kept.name);
    return file;
}

// The series file of a run: the caller's, or one written to the folder from a list of
// (data, T) or (data, T, MCX).
std::string seriesFileOf(const py::object& series, const PrivateFolder& folder) {
    if (py::isinstance<py::str>(series) || py::hasattr(series, "__fspath__"))
        return absoluteFile("series", series);
    const std::string usage =
        "series takes a series file's name or a list of (data, T) or (data, T, MCX), not ";
    if (!py::isinstance<py::sequence>(series))
        throw ModuleError{ErrorKind::Usage, usage + py::repr(series).cast<std::string>()};
    std::string text;
    int index = 0;
    for (const py::handle item : series) {
        ++index;
        if (!py::isinstance<py::sequence>(item) || py::isinstance<py::str>(item) ||
            (py::len(item) != 2 && py::len(item) != 3))
            throw ModuleError{ErrorKind::Usage, usage + py::repr(item).cast<std::string>()};
        const auto fields = item.cast<py::sequence>();
        const std::string file = dataFileOf(fields[0], index, folder);
        if (file.find('"') != std::string::npos)
            throw ModuleError{ErrorKind::Usage,
                              "a data file of a series cannot have a double quote in its "
                              "name: " +
                                  file};
        text += "\"" + file + "\"\t" + numberArgument("T", fields[1]);
        if (py::len(item) == 3) text += "\t" + numberArgument("MCX", fields[2]);
        text += "\n";
    }
    // Named as shown, for the messages of its lines name the file without its folder.
    const std::string file = folder.file(seriesFromPython);
    writeWholeFile(file, text);
    folder.showAs(file, seriesFromPython);
    return file;
}

// Before anything is fitted: every line of the series names data the program reads, at a
// temperature the solvent allows. Raises DataError (a missing or refused file, a bad or
// repeated temperature) or InputError (a temperature the solvent does not allow), with the
// messages of every such line.
void checkSeries(const std::string& file, const std::string& solvent, const PrivateFolder& folder) {
    std::vector<SeriesFileLine> lines;
    try {
        lines = readSeriesFile(file);
    } catch (const Error& failure) {
        throw ModuleError{ErrorKind::Data, folder.shown(errorBoxText(failure))};
    }
    if (lines.empty())
        throw ModuleError{ErrorKind::Data, folder.shown(file) + " names no data set"};
    std::string text;
    ErrorKind kind = ErrorKind::Input;
    for (const SeriesFileLine& line : lines) {
        std::string problem = line.problem;
        if (!problem.empty()) {
            kind = ErrorKind::Data;
        } else {
            try {
                solventAtTemperature(solvent, line.temperature);
            } catch (const Error& refusal) {
                problem = refusal.text();
            }
        }
        if (!problem.empty()) text += (text.empty() ? "" : "\n") + line.where + ": " + problem;
    }
    if (!text.empty()) throw ModuleError{kind, folder.shown(text)};
}

// The names of the private folder in the result as the caller knows them.
void showNames(SeriesResult& result, const PrivateFolder& folder) {
    result.seriesFile = folder.shown(result.seriesFile);
    for (SeriesFit& fit : result.fits) {
        fit.where = folder.shown(fit.where);
        fit.dataFile = folder.shown(fit.dataFile);
        fit.failure = folder.shown(fit.failure);
    }
    for (std::string& text : result.vantHoff.leftOut) text = folder.shown(text);
    for (VantHoffPoint& point : result.vantHoff.points) point.where = folder.shown(point.where);
    if (result.global) {
        for (std::string& text : result.global->leftOut) text = folder.shown(text);
        for (std::string& text : result.global->where) text = folder.shown(text);
    }
}

// A name as a field of the CSV: quoted where it holds a comma, a quote or a line break.
std::string csvField(const std::string& name) {
    std::string field = csvRecord({name});
    while (!field.empty() && (field.back() == '\n' || field.back() == '\r')) field.pop_back();
    return field;
}

py::object optionalText(const std::string& text) {
    return text.empty() ? py::object(py::none()) : py::object(py::str(text));
}

py::object interval(bool present, ext lower, ext upper) {
    if (!present) return py::none();
    return py::make_tuple(toFloat(lower), toFloat(upper));
}

py::object intervalText(bool present, ext lower, ext upper) {
    if (!present) return py::none();
    return py::make_tuple(valueText(lower), valueText(upper));
}

void registerEstimate(py::module_& module) {
    py::class_<Estimate>(module, "Estimate",
                         "A quantity of the van 't Hoff line or of the global fit, with its "
                         "standard error and 95 % intervals; the *_text attributes are the "
                         "15-digit texts of its table.")
        .def_readonly("name", &Estimate::name, "As its table names it, e.g. \"dH (kJ/mol)\"")
        .def_property_readonly(
            "value", [](const Estimate& e) { return toFloat(e.value); }, "The value")
        .def_property_readonly(
            "value_text", [](const Estimate& e) { return valueText(e.value); }, "Its text")
        .def_property_readonly(
            "standard_error", [](const Estimate& e) { return toFloat(e.standardError); },
            "The standard error")
        .def_property_readonly(
            "standard_error_text", [](const Estimate& e) { return valueText(e.standardError); },
            "Its text")
        .def_property_readonly(
            "interval", [](const Estimate& e) { return interval(true, e.lower, e.upper); },
            "The 95 % interval (van 't Hoff: Student's t or 1.96; global: from the Jacobian)")
        .def_property_readonly(
            "interval_text", [](const Estimate& e) { return intervalText(true, e.lower, e.upper); },
            "Its texts")
        .def_property_readonly(
            "profile_interval",
            [](const Estimate& e) {
                return interval(e.hasProfile, e.profileLower, e.profileUpper);
            },
            "The global fit's 95 % profile interval of dH, dS and dCp (-inf or inf where the "
            "profile does not reach its threshold), otherwise None")
        .def_property_readonly(
            "profile_interval_text",
            [](const Estimate& e) {
                return intervalText(e.hasProfile, e.profileLower, e.profileUpper);
            },
            "Its texts")
        .def("__repr__", [](const Estimate& e) {
            return "<condsim.Estimate " + e.name + " = " + valueText(e.value) + " +- " +
                   valueText(e.standardError) + ">";
        });
}

void registerSeriesFit(py::module_& module) {
    using F = SeriesFit;
    py::class_<F>(module, "SeriesFit",
                  "The separate fit of one data set of a series at its temperature: a row of "
                  "the table per temperature.")
        .def_property_readonly(
            "temperature", [](const F& f) { return toFloat(f.temperature); }, "T (K)")
        .def_readonly("where", &F::where, "The series file and its line, e.g. \"s.txt, line 3\"")
        .def_readonly("data_file", &F::dataFile,
                      "The data file's full name, or the name of data given from Python")
        .def_property_readonly("fitted", &F::fitted, "Whether the data set has a fit")
        .def_property_readonly(
            "failure", [](const F& f) { return optionalText(f.failure); },
            "Why it has no fit (its line's message, as condsim-batch writes it), or None")
        .def_property_readonly(
            "permittivity", [](const F& f) { return toFloat(f.solvent.permittivity); },
            "The solvent's eps_r at the temperature")
        .def_property_readonly(
            "viscosity", [](const F& f) { return toFloat(f.solvent.viscosity * 1000); },
            "The solvent's viscosity at the temperature (mPa s)")
        .def_property_readonly(
            "mcx", [](const F& f) { return toFloat(f.anionConductivity); },
            "lambda(X-) at the temperature (MCX)")
        .def_property_readonly(
            "mcx_from",
            [](const F& f) {
                return f.anionSource == AnionSource::SeriesFile ? "series file" : "Walden";
            },
            "Where MCX comes from: \"series file\" or \"Walden\" (lambda x eta as at 25 C)")
        .def_property_readonly(
            "mca", [](const F& f) { return toFloat(f.cationConductivity); },
            "lambda of the cation (MCA), fitted or held")
        .def_property_readonly(
            "walden_product", [](const F& f) { return toFloat(f.waldenProduct); },
            "MCA x eta (S cm2 mol-1 mPa s)")
        .def_property_readonly(
            "rms",
            [](const F& f) -> py::object {
                if (!f.fitted()) return py::none();
                return py::float_(toFloat(f.result.rmsResidual));
            },
            "The RMS residual, or None without a fit")
        .def_property_readonly(
            "fit",
            [](const F& f) -> py::object {
                if (!f.fitted()) return py::none();
                return py::cast(Fit{f.result, {}, {}});
            },
            "The FitResult (values with their profile intervals, notes, table), or None")
        .def("__repr__", [](const F& f) {
            return "<condsim.SeriesFit " + valueText(f.temperature) + " K " +
                   (f.fitted() ? "rms=" + valueText(f.result.rmsResidual) : "not fitted") + ">";
        });
}

void registerVantHoff(py::module_& module) {
    using V = VantHoffResult;
    py::class_<V>(module, "VantHoff",
                  "ln K1 against 1/T, weighted by the profile intervals of K1: dH and dS of "
                  "association (and dCp when asked, with five or more temperatures), dG at "
                  "298.15 K.")
        .def_property_readonly("fitted", &V::fitted, "Whether there is a line")
        .def_property_readonly(
            "refusal", [](const V& v) { return optionalText(v.refusal); },
            "Why there is no line (fewer than two usable temperatures), or None")
        .def_readonly("left_out", &V::leftOut,
                      "The temperatures left out, each with the reason (K1 at 0, not "
                      "determined, no two-sided profile interval, no fit)")
        .def_property_readonly(
            "note", [](const V& v) { return optionalText(v.note); },
            "The sentence on dCp asked for and not fitted, or None")
        .def_readonly("with_heat_capacity", &V::withHeatCapacity, "Whether dCp was fitted")
        .def_readonly("degrees_of_freedom", &V::degreesOfFreedom, "N - q")
        .def_readonly("scaled_by_chi_square", &V::scaledByChiSquare,
                      "Whether the covariance was scaled by chi-square/(N - q)")
        .def_property_readonly(
            "chi_square", [](const V& v) { return toFloat(v.chiSquare); }, "chi-square")
        .def_property_readonly(
            "dH", [](const V& v) { return estimateOf("dH (kJ/mol)", v.enthalpy); },
            "dH of association (kJ/mol) at 298.15 K")
        .def_property_readonly(
            "dS", [](const V& v) { return estimateOf("dS (J/(mol K))", v.entropy); },
            "dS of association (J/(mol K)) at 298.15 K")
        .def_property_readonly(
            "dCp",
            [](const V& v) -> py::object {
                if (!v.withHeatCapacity) return py::none();
                return py::cast(estimateOf("dCp (J/(mol K))", v.heatCapacity));
            },
            "dCp (J/(mol K)) when fitted, otherwise None")
        .def_property_readonly(
            "dG", [](const V& v) { return estimateOf("dG 298.15 K (kJ/mol)", v.gibbs); },
            "dG at 298.15 K (kJ/mol)")
        .def_property_readonly(
            "temperatures",
            [](const V& v) {
                std::vector<ext> values;
                for (const auto& p : v.points) values.push_back(p.temperature);
                return floatArray(values);
            },
            "T (K) of the points of the line")
        .def_property_readonly(
            "ln_k1",
            [](const V& v) {
                std::vector<ext> values;
                for (const auto& p : v.points) values.push_back(p.lnK);
                return floatArray(values);
            },
            "ln K1 at each point")
        .def_property_readonly(
            "sigma",
            [](const V& v) {
                std::vector<ext> values;
                for (const auto& p : v.points) values.push_back(p.sigma);
                return floatArray(values);
            },
            "The standard uncertainty of each ln K1, from its profile interval")
        .def_property_readonly("table", &vantHoffTable, "The table condsim-batch --series prints");
}

void registerGlobalFit(py::module_& module) {
    using G = GlobalSeriesFit;
    const auto estimateNamed = [](const G& g, const std::string& prefix) -> py::object {
        for (const GlobalEstimate& e : g.estimates)
            if (e.name.rfind(prefix, 0) == 0) return py::cast(estimateOf(e));
        return py::none();
    };
    py::class_<G>(module, "GlobalFit",
                  "All data sets at once with dH and dS (and dCp) in place of one K1 per "
                  "temperature, lambda of the cation free at each temperature or tied by the "
                  "Walden rule; its sum of squares against the separate fits'.")
        .def_property_readonly("converged", &G::converged, "Whether it ran and converged")
        .def_property_readonly(
            "failure", [](const G& g) { return optionalText(g.failure); },
            "Why it did not run or converge, or None")
        .def_readonly("left_out", &G::leftOut, "The data sets left out (no separate fit)")
        .def_property_readonly(
            "note", [](const G& g) { return optionalText(g.note); },
            "The sentence on dCp asked for and not fitted, or None")
        .def_property_readonly(
            "walden", [](const G& g) { return g.options.waldenTie; },
            "Whether lambda of the cation is tied by the Walden rule")
        .def_property_readonly(
            "estimates",
            [](const G& g) {
                std::vector<Estimate> list;
                for (const GlobalEstimate& e : g.estimates) list.push_back(estimateOf(e));
                return list;
            },
            "dH, dS, (dCp), then MCA at each temperature or at 25 C, as Estimates")
        .def_property_readonly(
            "dH", [=](const G& g) { return estimateNamed(g, "dH "); }, "dH (kJ/mol), or None")
        .def_property_readonly(
            "dS", [=](const G& g) { return estimateNamed(g, "dS "); }, "dS (J/(mol K)), or None")
        .def_property_readonly(
            "dCp", [=](const G& g) { return estimateNamed(g, "dCp "); },
            "dCp (J/(mol K)) when fitted, otherwise None")
        .def_readonly("where", &G::where, "The data sets fitted")
        .def_property_readonly(
            "temperatures", [](const G& g) { return floatArray(g.temperatures); },
            "T (K) of the data sets fitted")
        .def_property_readonly(
            "K1", [](const G& g) { return floatArray(g.K1); },
            "K1 at each temperature, from dH, dS (and dCp)")
        .def_property_readonly(
            "mca", [](const G& g) { return floatArray(g.cationConductivity); },
            "lambda of the cation at each temperature")
        .def_readonly("point_count", &G::pointCount, "The points of all data sets")
        .def_readonly("parameter_count", &G::parameterCount, "The global parameters")
        .def_readonly("separate_parameter_count", &G::separateParameterCount,
                      "The parameters of the separate fits together")
        .def_property_readonly(
            "sum_of_squares", [](const G& g) { return toFloat(g.sumOfSquares); },
            "The global sum of squares")
        .def_property_readonly(
            "separate_sum_of_squares", [](const G& g) { return toFloat(g.separateSumOfSquares); },
            "The sum of the separate fits' sums of squares")
        .def_property_readonly(
            "f_statistic", [](const G& g) { return toFloat(g.fStatistic); },
            "F of the global against the separate fits (NaN where undefined)")
        .def_property_readonly(
            "f_probability", [](const G& g) { return toFloat(g.fProbability); },
            "The chance of a larger F where the global model holds")
        .def_property_readonly(
            "rms", [](const G& g) { return toFloat(g.rmsResidual); }, "The RMS residual")
        .def_readonly("evaluations", &G::evaluations, "Evaluations of all residuals")
        .def_property_readonly("table", &globalFitTable,
                               "The table condsim-batch --series --global-fit prints");
}

void registerSeriesResult(py::module_& module) {
    py::class_<SeriesRun>(module, "SeriesResult",
                          "A temperature series: the separate fits, the van 't Hoff line and "
                          "the global fit when asked, with the texts condsim-batch --series "
                          "prints and writes.")
        .def_property_readonly(
            "fits", [](const SeriesRun& s) { return s.result.fits; },
            "A SeriesFit per data set, in the order of the series")
        .def_property_readonly(
            "parameters",
            [](const SeriesRun& s) {
                std::vector<std::string> names;
                for (const FitParameter& p : s.result.parameters)
                    names.push_back(fitParameterName(p));
                return names;
            },
            "The parameters fitted at each temperature")
        .def_property_readonly(
            "vant_hoff", [](const SeriesRun& s) { return s.result.vantHoff; },
            "The van 't Hoff analysis (VantHoff)")
        .def_property_readonly(
            "global_fit", [](const SeriesRun& s) { return s.result.global; },
            "The GlobalFit when global_fit was given, otherwise None")
        .def_readonly("complete", &SeriesRun::complete,
                      "Whether every data set and the global fit (when asked) have a fit; "
                      "condsim-batch exits with status 1 otherwise")
        .def_readonly("messages", &SeriesRun::messages,
                      "The data sets without a fit, as condsim-batch writes them to standard "
                      "error")
        .def_readonly("table", &SeriesRun::table,
                      "What condsim-batch --series prints: the table per temperature, the van "
                      "'t Hoff table and the global fit's")
        .def_readonly("csv", &SeriesRun::csv, "The table per temperature as --series-csv writes it")
        .def_readonly("report", &SeriesRun::report, "The report --series-report writes")
        .def("__repr__", [](const SeriesRun& s) {
            int fitted = 0;
            for (const SeriesFit& f : s.result.fits) fitted += f.fitted() ? 1 : 0;
            return "<condsim.SeriesResult " + std::to_string(fitted) + " of " +
                   std::to_string(s.result.fits.size()) + " data sets fitted>";
        });
}

}  // namespace

void registerSeries(py::module_& module, py::class_<System>& system) {
    registerEstimate(module);
    registerSeriesFit(module);
    registerVantHoff(module);
    registerGlobalFit(module);
    registerSeriesResult(module);
    system.def(
        "fit_series",
        [](const System& self, const py::object& series, const py::object& parameters,
           const std::string& weights, const py::object& globalFit, bool heatCapacity,
           const py::object& threads) {
            const PrivateFolder folder;
            const std::string seriesFile = seriesFileOf(series, folder);
            std::vector<std::string> arguments = self.runArguments(folder);
            const std::vector<std::string> own = {
                "--series",        seriesFile,
                "--fit",           parameterList(parameters),
                "--weights",       weights,
                "--series-csv",    folder.file("series.csv"),
                "--series-report", folder.file("series-report.txt"),
                "--vant-hoff-cp",  heatCapacity ? "on" : "off"};
            arguments.insert(arguments.end(), own.begin(), own.end());
            if (!globalFit.is_none()) {
                if (!py::isinstance<py::str>(globalFit))
                    throw ModuleError{ErrorKind::Usage,
                                      "global_fit takes None, \"free\" or "
                                      "\"walden\", not " +
                                          py::repr(globalFit).cast<std::string>()};
                arguments.push_back("--global-fit");
                arguments.push_back(globalFit.cast<std::string>());
            }
            const std::vector<std::string> threadOptions = threadArguments(threads);
            arguments.insert(arguments.end(), threadOptions.begin(), threadOptions.end());
            const BatchOptions options = parseArguments(arguments);
            checkSeries(seriesFile, options.solvent.value_or("water"), folder);
            SeriesRun run;
            const BatchOutcome outcome = runSeriesSession(options, folder, &run.table);
            run.result = *outcome.series;
            showNames(run.result, folder);
            run.complete = outcome.status == 0;
            run.messages = outcome.messages;
            run.csv = folder.shown(readWholeFile(folder.file("series.csv")), csvField);
            run.report = folder.shown(readWholeFile(folder.file("series-report.txt")));
            return run;
        },
        py::arg("series"), py::arg("parameters"), py::kw_only(), py::arg("weights") = "absolute",
        py::arg("global_fit") = py::none(), py::arg("vant_hoff_cp") = false,
        py::arg("threads") = py::none(),
        "Fits a temperature series as condsim-batch --series does: the fit of the parameters "
        "at each temperature (the system's model, in its solvent at that temperature, water "
        "unless solvent= says otherwise), the van 't Hoff line through their K1 and, with "
        "global_fit, all data sets at once.\n\nseries: a series file's name (one data set a "
        "line: its data file, T in K, optionally MCX at T), or a list of (data, T) or (data, "
        "T, MCX), data a file name, an ObservedData or (concentrations, conductivities). "
        "Without MCX at T, MCX follows the Walden rule from the system's mcx at 25 C. "
        "parameters and weights as for fit(). global_fit: None, \"free\" (lambda of the cation "
        "fitted at each temperature) or \"walden\" (tied to one lambda at 25 C). vant_hoff_cp: "
        "a constant dCp too (five or more temperatures).\n\nBefore anything is fitted every "
        "line is checked: a data file missing or refused, a temperature not a positive number "
        "or given twice raise DataError, a temperature the solvent does not allow raises "
        "InputError, each with the messages of every such line. A data set whose fit fails "
        "does not raise: its SeriesFit says why, and the others stand. Returns a "
        "SeriesResult; the GIL is released while it runs.");
}

}  // namespace condsim::python
