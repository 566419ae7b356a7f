// System.fit: the fit of the parameters to observed data and the comparison of n, as the
// batch tool's --fit and --fit-n run them (condsim.FitResult, condsim.FittedValue,
// condsim.Comparison).

#include <pybind11/stl.h>

#include <cmath>

#include "System.h"
#include "fit/FitReport.h"
#include "fit/FitResultTable.h"

namespace condsim::python {

namespace {

const char* stateName(FittedState state) {
    switch (state) {
        case FittedState::Estimated:
            return "estimated";
        case FittedState::AtZero:
            return "at zero";
        case FittedState::NoEffect:
            return "no effect";
        case FittedState::NotDetermined:
            break;
    }
    return "not determined";
}

std::string compareArgument(const py::object& range) {
    const auto bounds = range.cast<py::sequence>();
    if (py::len(bounds) != 2)
        throw ModuleError{ErrorKind::Usage, "compare_n takes (from, to), for example (2, 8)"};
    return wholeArgument("compare_n", bounds[0]) + ".." + wholeArgument("compare_n", bounds[1]);
}

py::object fittedText(ext value) { return py::str(valueText(value)); }

void registerFittedValue(py::module_& module) {
    using V = FittedValue;
    py::class_<V>(module, "FittedValue",
                  "One fitted parameter. The float attributes are the program's 80-bit reals "
                  "rounded to Python floats; the *_text attributes are its 15-digit texts, as "
                  "the batch tool prints them.")
        .def_property_readonly(
            "name", [](const V& v) { return fitParameterName(v.parameter); }, "K1, alfa, MCA, ...")
        .def_property_readonly(
            "state", [](const V& v) { return stateName(v.state); },
            "\"estimated\", \"at zero\" (a constant the data put at 0, with an upper bound), "
            "\"no effect\" or \"not determined\" (the profile never reaches its threshold)")
        .def_property_readonly(
            "value", [](const V& v) { return toFloat(v.value); }, "The fitted value")
        .def_property_readonly(
            "value_text", [](const V& v) { return valueText(v.value); },
            "The fitted value's 15-digit text")
        .def_property_readonly(
            "standard_error",
            [](const V& v) -> py::object {
                return v.hasJacobianInterval && v.state == FittedState::Estimated
                           ? py::object(py::float_(toFloat(v.standardError)))
                           : py::none();
            },
            "The standard error from the covariance (None where the Jacobian gives none)")
        .def_property_readonly(
            "standard_error_text",
            [](const V& v) -> py::object {
                return v.hasJacobianInterval && v.state == FittedState::Estimated
                           ? fittedText(v.standardError)
                           : py::none();
            },
            "Its 15-digit text")
        .def_property_readonly(
            "jacobian_interval",
            [](const V& v) -> py::object {
                if (!v.hasJacobianInterval || v.state != FittedState::Estimated) return py::none();
                return py::make_tuple(toFloat(v.lower), toFloat(v.upper));
            },
            "The 95 % interval from the Jacobian (Student's t), or None")
        .def_property_readonly(
            "jacobian_interval_text",
            [](const V& v) -> py::object {
                if (!v.hasJacobianInterval || v.state != FittedState::Estimated) return py::none();
                return py::make_tuple(valueText(v.lower), valueText(v.upper));
            },
            "Its 15-digit texts")
        .def_property_readonly(
            "profile_interval",
            [](const V& v) -> py::object {
                if (!v.hasProfile && v.state != FittedState::AtZero) return py::none();
                return py::make_tuple(toFloat(v.profileLower), toFloat(v.profileUpper));
            },
            "The 95 % interval from the profile of the sum of squares (lower 0 or upper inf "
            "where the profile does not reach its threshold; for a constant at 0, (0, its "
            "upper bound)), or None")
        .def_property_readonly(
            "profile_interval_text",
            [](const V& v) -> py::object {
                if (!v.hasProfile && v.state != FittedState::AtZero) return py::none();
                return py::make_tuple(valueText(v.profileLower), valueText(v.profileUpper));
            },
            "Its 15-digit texts")
        .def_readonly("profile_leads", &V::profileLeads,
                      "The sum of squares is not quadratic: use the profile interval")
        .def_property_readonly(
            "searched",
            [](const V& v) -> py::object {
                if (v.state != FittedState::NotDetermined) return py::none();
                return py::make_tuple(toFloat(v.searchedFrom), toFloat(v.searchedTo));
            },
            "For a parameter not determined, the range its profile was followed over")
        .def("__repr__", [](const V& v) {
            return "<condsim.FittedValue " + fitParameterName(v.parameter) + " = " +
                   valueText(v.value) + " (" + stateName(v.state) + ")>";
        });
}

py::array_t<double> correlationArray(const FitResult& result) {
    const auto size = static_cast<py::ssize_t>(result.correlation.size());
    py::array_t<double> array({size, size});
    auto cells = array.mutable_unchecked<2>();
    for (py::ssize_t i = 0; i < size; ++i)
        for (py::ssize_t j = 0; j < size; ++j)
            cells(i, j) =
                toFloat(result.correlation[static_cast<size_t>(i)][static_cast<size_t>(j)]);
    return array;
}

void registerComparison(py::module_& module) {
    py::class_<AnionCountComparison>(
        module, "Comparison",
        "The comparison of n: the same fit at each n of a range, with its RMS residual and "
        "Akaike's information criterion; the lowest AIC marks the n the data favour.")
        .def_readonly("best_n", &AnionCountComparison::bestN,
                      "n of the lowest AIC (0 when no fit converged)")
        .def_property_readonly(
            "n",
            [](const AnionCountComparison& c) {
                std::vector<int> n;
                for (const auto& row : c.rows) n.push_back(row.n);
                return n;
            },
            "The n of each row")
        .def_property_readonly(
            "aic",
            [](const AnionCountComparison& c) {
                std::vector<ext> values;
                for (const auto& row : c.rows)
                    values.push_back(row.fit.converged() ? row.aic : NAN);
                return floatArray(values);
            },
            "The AIC of each row (NaN where the fit did not converge)")
        .def_property_readonly(
            "rms",
            [](const AnionCountComparison& c) {
                std::vector<ext> values;
                for (const auto& row : c.rows)
                    values.push_back(row.fit.converged() ? row.fit.rmsResidual : NAN);
                return floatArray(values);
            },
            "The RMS residual of each row (NaN where the fit did not converge)")
        .def_property_readonly(
            "fits",
            [](const AnionCountComparison& c) {
                py::list fits;
                for (const auto& row : c.rows) fits.append(py::cast(Fit{row.fit, {}, {}}));
                return fits;
            },
            "The FitResult of each row")
        .def_property_readonly(
            "table", [](const AnionCountComparison& c) { return anionCountTable(c); },
            "The table condsim-batch --fit-n prints");
}

void registerFitResult(py::module_& module) {
    py::class_<Fit>(module, "FitResult",
                    "A converged fit. Floats are the program's 80-bit reals rounded to Python "
                    "floats; FittedValue.*_text, rms_text and table keep its 15-digit texts.")
        .def_property_readonly(
            "converged", [](const Fit& f) { return f.result.converged(); },
            "Whether the optimiser reached an optimum (a row of a comparison may not)")
        .def_property_readonly(
            "message",
            [](const Fit& f) {
                return f.result.converged() ? fitResultTableOf(f.result).title
                                            : fitFailureMessage(f.result);
            },
            "The fit in one line: its points, n, iterations and evaluations, or why it failed")
        .def_property_readonly(
            "values", [](const Fit& f) { return f.result.values; },
            "The FittedValue of each parameter, "
            "in the order asked")
        .def(
            "__getitem__",
            [](const Fit& f, const std::string& name) {
                for (const FittedValue& v : f.result.values)
                    if (fitParameterName(v.parameter) == name) return v;
                throw py::key_error(name);
            },
            "The FittedValue of the parameter of that name")
        .def_property_readonly(
            "names",
            [](const Fit& f) {
                std::vector<std::string> names;
                for (const FittedValue& v : f.result.values)
                    names.push_back(fitParameterName(v.parameter));
                return names;
            },
            "The fitted parameters' names")
        .def_property_readonly(
            "undetermined",
            [](const Fit& f) {
                std::vector<std::string> names;
                for (const FittedValue& v : f.result.values)
                    if (v.state == FittedState::NotDetermined || v.state == FittedState::NoEffect)
                        names.push_back(fitParameterName(v.parameter));
                return names;
            },
            "The parameters the data leave undetermined (no value or no bounded profile)")
        .def_property_readonly(
            "correlation", [](const Fit& f) { return correlationArray(f.result); },
            "The correlation matrix of the fitted quantities (logarithms for constants); NaN "
            "in the rows and columns of parameters that are not estimated")
        .def_property_readonly(
            "rms", [](const Fit& f) { return toFloat(f.result.rmsResidual); },
            "The RMS residual in the units of the weighting")
        .def_property_readonly(
            "rms_text", [](const Fit& f) { return valueText(f.result.rmsResidual); },
            "Its 15-digit text")
        .def_property_readonly(
            "sum_of_squares", [](const Fit& f) { return toFloat(f.result.sumOfSquares); },
            "The sum of the squared weighted residuals")
        .def_property_readonly(
            "iterations", [](const Fit& f) { return f.result.iterations; },
            "The optimiser's iterations from the start that won")
        .def_property_readonly(
            "evaluations", [](const Fit& f) { return f.result.evaluations; },
            "Its evaluations of all residuals")
        .def_property_readonly(
            "total_evaluations", [](const Fit& f) { return f.result.totalEvaluations; },
            "With the scan, the other starts, the check and the profiles")
        .def_property_readonly(
            "n", [](const Fit& f) { return f.result.n; }, "n of the fit")
        .def_property_readonly(
            "point_count", [](const Fit& f) { return f.result.pointCount; },
            "The observed points used")
        .def_property_readonly(
            "calculated", [](const Fit& f) { return floatArray(f.result.calculated); },
            "The conductivity at each observed C0 at the optimum (MC*M)")
        .def_property_readonly(
            "stepwise_constants",
            [](const Fit& f) { return floatArray(f.result.stepwiseConstants); },
            "K1..Kn as applying the fit writes them")
        .def_property_readonly(
            "notes",
            [](const Fit& f) {
                return f.result.converged() ? fitResultTableOf(f.result).notes
                                            : std::vector<std::string>{};
            },
            "Sentences on the constants not estimated: at 0, without effect, following K1 by "
            "Model #1 or held at the table's values")
        .def_property_readonly(
            "solution_model", [](const Fit& f) { return f.result.solutionModel; },
            "The ionic-strength model with the fitted a; empty in the ideal solution")
        .def_property_readonly(
            "model_notes", [](const Fit& f) { return f.result.modelNotes; },
            "The solution model's notes on the observed points at the optimum")
        .def_property_readonly(
            "table",
            [](const Fit& f) {
                return f.result.converged() ? fitResultTable(f.result) : std::string();
            },
            "The table condsim-batch --fit prints, byte for byte")
        .def_readonly("comparison", &Fit::comparison,
                      "The Comparison of n when compare_n was given, otherwise None")
        .def_readonly("sweep", &Fit::sweep,
                      "Conduct Calculations after the fit was applied, as condsim-batch --fit "
                      "runs it (a Sweep; its report when report=True)")
        .def("__repr__", [](const Fit& f) {
            std::string text = "<condsim.FitResult";
            for (const FittedValue& v : f.result.values)
                text += " " + fitParameterName(v.parameter) + "=" + valueText(v.value);
            return text + " rms=" + valueText(f.result.rmsResidual) + ">";
        });
}

}  // namespace

std::string parameterList(const py::object& parameters) {
    if (py::isinstance<py::str>(parameters)) return parameters.cast<std::string>();
    std::string list;
    for (const py::handle name : parameters) {
        if (!py::isinstance<py::str>(name))
            throw ModuleError{ErrorKind::Usage,
                              "parameters takes names such as \"K1\", \"alfa\", \"MCA\", \"MCX\", "
                              "\"a\", not " +
                                  py::repr(name).cast<std::string>()};
        list += (list.empty() ? "" : ",") + name.cast<std::string>();
    }
    return list;
}

void registerFit(py::module_& module, py::class_<System>& system) {
    registerFittedValue(module);
    registerComparison(module);
    registerFitResult(module);
    system.def(
        "fit",
        [](const System& self, const py::object& data, const py::object& parameters,
           const std::string& weights, const py::object& compareN, bool report,
           const py::object& threads) {
            const PrivateFolder folder;
            std::vector<std::string> arguments =
                sweepArguments(self, data, threads, report, folder);
            arguments.insert(arguments.end(),
                             {"--fit", parameterList(parameters), "--weights", weights});
            if (!compareN.is_none()) {
                arguments.push_back("--fit-n");
                arguments.push_back(compareArgument(compareN));
            }
            const BatchOutcome outcome = runSession(parseArguments(arguments), folder);
            return Fit{*outcome.fit, outcome.comparison, sweepOf(outcome, report, folder)};
        },
        py::arg("data"), py::arg("parameters"), py::kw_only(), py::arg("weights") = "absolute",
        py::arg("compare_n") = py::none(), py::arg("report") = false,
        py::arg("threads") = py::none(),
        "Fits the parameters to the observed data as condsim-batch --fit does, and applies "
        "them before Conduct Calculations.\n\ndata: a file name, an ObservedData or "
        "(concentrations, conductivities). parameters: \"K1,MCA\" or [\"K1\", \"MCA\"] (K<i>, "
        "alfa, MCA, MCX, and a in the ionic-strength models). weights: \"absolute\" "
        "(calculated - observed) or \"relative\" (divided by the observed). compare_n: "
        "(from, to) also fits at each n of that range (--fit-n); the result's comparison "
        "holds it. report=True: the sweep's report after the fit.\n\nThe fit has no bounds "
        "to set: constants and a are fitted as logarithms and so stay positive. threads: the "
        "threads of the comparison and the sweep (None: one per core); the results are the "
        "same for every count. The GIL is released while it runs. Raises FitError with the "
        "program's message when the fit cannot run or does not converge; the system is not "
        "changed.");
}

}  // namespace condsim::python
