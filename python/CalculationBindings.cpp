// System.calculate: the calculation at given concentrations, on the inputs of a sweep, as
// numpy arrays (condsim.Calculation).

#include <pybind11/stl.h>

#include <cmath>

#include "System.h"
#include "core/Error.h"
#include "core/IndexOrderedWork.h"
#include "files/NumberText.h"

namespace condsim::python {

namespace {

py::array_t<double> column(const Points& points, ext (*value)(const CalculatedPoint&)) {
    std::vector<ext> values;
    values.reserve(points.points.size());
    for (const CalculatedPoint& point : points.points) values.push_back(value(point));
    return floatArray(values);
}

// The model's own quantity under that header, or None where the model has none (the
// designed calculation of an ideal solution).
py::object ownQuantity(const Points& points, const std::string& header) {
    for (size_t j = 0; j < points.solutionColumns.size(); ++j) {
        if (points.solutionColumns[j] != header) continue;
        std::vector<ext> values;
        for (const CalculatedPoint& point : points.points)
            values.push_back(j < point.solutionValues.size() ? point.solutionValues[j] : NAN);
        return floatArray(values);
    }
    return py::none();
}

// C0 of the calculation from a number or a sequence of numbers; a str is read as the
// program reads a field, to its full 80 bits.
std::vector<ext> concentrationsOf(const py::object& values) {
    std::vector<ext> concentrations;
    const auto read = [&](const py::handle value) {
        if (py::isinstance<py::str>(value)) {
            const auto text = value.cast<std::string>();
            const std::optional<ext> number = numberOrNothing(text);
            if (!number) throw ModuleError{ErrorKind::Usage, notANumberError(text).text()};
            concentrations.push_back(*number);
        } else {
            concentrations.push_back(static_cast<ext>(value.cast<double>()));
        }
    };
    if (py::isinstance<py::str>(values) || !py::isinstance<py::iterable>(values)) {
        read(values);
    } else {
        const py::object flat = py::module_::import("numpy").attr("ravel")(values);
        for (const py::handle value : flat.attr("tolist")()) read(value);
    }
    return concentrations;
}

// Conduct Calculations needs observed data for its range: the lowest and the highest C0
// asked for, each with a conductivity of 1 that nothing reads. The points themselves are
// solved one by one afterwards.
std::vector<std::string> rangeArguments(const std::vector<ext>& concentrations,
                                        const PrivateFolder& folder) {
    std::optional<ext> lowest;
    std::optional<ext> highest;
    for (const ext c : concentrations) {
        if (!(c > 0) || !std::isfinite(c)) continue;
        if (!lowest || c < *lowest) lowest = c;
        if (!highest || c > *highest) highest = c;
    }
    if (!lowest) {
        throw ModuleError{ErrorKind::Calculation,
                          "The calculation needs a concentration C0 above 0 (mol/L)"};
    }
    const std::string file = folder.file("range.txt");
    writeWholeFile(file, valueText(*lowest) + "\t1\n" + valueText(*highest) + "\t1\n");
    return {"--data", file};
}

std::vector<CalculatedPoint> solveEach(const CalculationRecord& record,
                                       const std::vector<ext>& concentrations, int threads) {
    std::vector<CalculatedPoint> points;
    points.reserve(concentrations.size());
    std::optional<ext> failedAt;
    runInIndexOrder<std::optional<CalculatedPoint>>(
        static_cast<int>(concentrations.size()), threads,
        [&](int i) { return record.solveAt(concentrations[static_cast<size_t>(i)]); },
        [&](int i, std::optional<CalculatedPoint> point) {
            if (!point && !failedAt) failedAt = concentrations[static_cast<size_t>(i)];
            if (point) points.push_back(std::move(*point));
        },
        [](int, const std::exception_ptr& error) { std::rethrow_exception(error); });
    if (failedAt) {
        throw ModuleError{ErrorKind::Calculation,
                          "The calculation failed at C0 = " + valueText(*failedAt) +
                              " mol/L: the program finds no equilibrium there (a C0 that is "
                              "not a positive number, or a point the solver cannot reach)"};
    }
    return points;
}

}  // namespace

Points Points::of(const CalculationRecord& record, std::vector<CalculatedPoint> points) {
    return {record.n,          record.parameters, record.solutionModel, record.solutionColumns,
            std::move(points), record.notes};
}

void registerCalculation(py::module_& module, py::class_<System>& system) {
    py::class_<Points>(module, "Calculation",
                       "Calculated points as numpy arrays of float.\n\nThe program computes in "
                       "80-bit reals; each value here is that real rounded to a Python float "
                       "(53 bits). The report text (System.sweep(report=True)) keeps the "
                       "program's 15-digit texts.")
        .def_readonly("n", &Points::n, "n of the system")
        .def_readonly("parameters", &Points::parameters,
                      "What the values were made with: n, the constants, the limiting "
                      "conductivities and the solution model, as a caption says it")
        .def_readonly("solution_model", &Points::solutionModel,
                      "The description of the solution model")
        .def_readonly("notes", &Points::notes,
                      "The solution model's notes on the points of the sweep (several ionic "
                      "strengths at a point, points above the activity law's range)")
        .def_property_readonly(
            "concentration",
            [](const Points& p) {
                return column(p, [](const CalculatedPoint& c) { return c.concentration; });
            },
            "C0, the total concentration (mol/L)")
        .def_property_readonly(
            "free_anion",
            [](const Points& p) {
                return column(p, [](const CalculatedPoint& c) { return c.freeAnion; });
            },
            "[X-], the free anion (mol/L)")
        .def_property_readonly(
            "conductivity",
            [](const Points& p) {
                return column(p, [](const CalculatedPoint& c) { return c.conductivity; });
            },
            "kappa, the conductivity in the program's unit MC*M (molar conductivity times "
            "concentration)")
        .def_property_readonly(
            "molar_conductivity",
            [](const Points& p) {
                return column(p, [](const CalculatedPoint& c) {
                    return c.concentration != 0 ? c.conductivity / c.concentration : ext(NAN);
                });
            },
            "Lambda = kappa / C0 (S cm2 mol-1), as the figures and the CSV export divide it")
        .def_property_readonly(
            "abundance",
            [](const Points& p) {
                const auto rows = static_cast<py::ssize_t>(p.points.size());
                const auto columns = static_cast<py::ssize_t>(p.n + 1);
                py::array_t<double> array({rows, columns});
                auto cells = array.mutable_unchecked<2>();
                for (py::ssize_t r = 0; r < rows; ++r) {
                    const auto& abundance = p.points[static_cast<size_t>(r)].abundance;
                    for (py::ssize_t j = 0; j < columns; ++j) {
                        cells(r, j) = static_cast<size_t>(j) < abundance.size()
                                          ? toFloat(abundance[static_cast<size_t>(j)])
                                          : NAN;
                    }
                }
                return array;
            },
            "The abundance of AX0..AXn in percent, one row per point (shape: points x n+1)")
        .def_property_readonly(
            "ionic_strength", [](const Points& p) { return ownQuantity(p, "I / mol L-1"); },
            "I (mol/L) in the ionic-strength models; None in the ideal solution, whose "
            "designed calculation has no ionic strength")
        .def_property_readonly(
            "activity_coefficient", [](const Points& p) { return ownQuantity(p, "gamma(X-)"); },
            "gamma(X-) in the ionic-strength models; None in the ideal solution")
        .def("__len__", [](const Points& p) { return p.points.size(); })
        .def("__repr__", [](const Points& p) {
            return "<condsim.Calculation of " + std::to_string(p.points.size()) +
                   " points, n = " + std::to_string(p.n) + ">";
        });

    system.def(
        "calculate",
        [](const System& self, const py::object& concentrations, const py::object& threads) {
            const std::vector<ext> c0 = concentrationsOf(concentrations);
            const PrivateFolder folder;
            std::vector<std::string> arguments = rangeArguments(c0, folder);
            const std::vector<std::string> own = self.runArguments(folder);
            arguments.insert(arguments.end(), own.begin(), own.end());
            // The sweep is run for its inputs only: its fewest points, unless the system
            // sets them (its count changes no point solved afterwards).
            if (self.options.count("--points") == 0)
                arguments.insert(arguments.end(), {"--points", "9"});
            const std::vector<std::string> threadOptions = threadArguments(threads);
            arguments.insert(arguments.end(), threadOptions.begin(), threadOptions.end());
            const BatchOptions options = parseArguments(arguments);
            const BatchOutcome outcome = runSession(options, folder);
            const CalculationRecord& record = *outcome.calculation;
            std::vector<CalculatedPoint> points;
            {
                const py::gil_scoped_release released;
                points = solveEach(record, c0,
                                   options.threads ? *options.threads : defaultThreadCount());
            }
            Points result = Points::of(record, std::move(points));
            result.notes.clear();
            return result;
        },
        py::arg("concentrations"), py::kw_only(), py::arg("threads") = py::none(),
        "The calculation at the given total concentrations C0 (mol/L; a number or a "
        "sequence; a str is read to the program's 80 bits, as a field's text), with the inputs "
        "Conduct Calculations reads: each point is solved as the "
        "sweep solves its observed rows. Returns a Calculation.\n\nthreads: the threads that "
        "share the points (None: one per processor core); the values are the same for every "
        "count. The GIL is released while it runs. Raises CalculationError where a point "
        "has no solution.");
}

}  // namespace condsim::python
