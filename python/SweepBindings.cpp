// System.sweep: Conduct Calculations over the designed range, with the report File/Save
// writes (condsim.Sweep).

#include <pybind11/stl.h>

#include "System.h"

namespace condsim::python {

namespace {

constexpr const char* reportFileName = "report.txt";

py::array_t<double> observedColumn(const Sweep& sweep, ext ObservedComparison::*value) {
    std::vector<ext> values;
    for (const ObservedComparison& row : sweep.observed) values.push_back(row.*value);
    return floatArray(values);
}

}  // namespace

std::vector<std::string> sweepArguments(const System& system, const py::object& data,
                                        const py::object& threads, bool report,
                                        const PrivateFolder& folder) {
    std::vector<std::string> arguments = dataArguments(data, folder);
    const std::vector<std::string> own = system.runArguments(folder);
    arguments.insert(arguments.end(), own.begin(), own.end());
    const std::vector<std::string> threadOptions = threadArguments(threads);
    arguments.insert(arguments.end(), threadOptions.begin(), threadOptions.end());
    if (report) {
        arguments.push_back("--report");
        arguments.push_back(folder.file(reportFileName));
    }
    return arguments;
}

Sweep sweepOf(const BatchOutcome& outcome, bool report, const PrivateFolder& folder) {
    Sweep sweep;
    if (outcome.calculation) {
        sweep.calculated = Points::of(*outcome.calculation, outcome.calculation->points);
        sweep.observed = outcome.calculation->observed;
        sweep.notes = outcome.calculation->notes;
    }
    if (report) sweep.report = folder.shown(readWholeFile(folder.file(reportFileName)));
    return sweep;
}

void registerSweep(py::module_& module, py::class_<System>& system) {
    py::class_<Sweep>(module, "Sweep",
                      "The result of Conduct Calculations: the calculated curve, the observed "
                      "rows solved at their own C0, and the report when asked for. Values are "
                      "the program's 80-bit reals rounded to Python floats; the report keeps "
                      "its 15-digit texts.")
        .def_readonly("calculated", &Sweep::calculated,
                      "The calculated points of the sweep (a Calculation)")
        .def_readonly("notes", &Sweep::notes, "The solution model's notes on the points")
        .def_property_readonly(
            "report",
            [](const Sweep& s) -> py::object {
                if (!s.report) return py::none();
                return py::str(py::bytes(*s.report).attr("decode")("utf-8", "surrogateescape"));
            },
            "The report File/Save writes, as text (None unless report=True); "
            "report_bytes holds its bytes")
        .def_property_readonly(
            "report_bytes",
            [](const Sweep& s) -> py::object {
                return s.report ? py::object(py::bytes(*s.report)) : py::object(py::none());
            },
            "The report file's bytes, exactly as condsim-batch --report writes them")
        .def_property_readonly(
            "observed_concentration",
            [](const Sweep& s) { return observedColumn(s, &ObservedComparison::concentration); },
            "C0 of the observed rows (mol/L)")
        .def_property_readonly(
            "observed_conductivity",
            [](const Sweep& s) { return observedColumn(s, &ObservedComparison::observed); },
            "The measured conductivity of the observed rows (MC*M)")
        .def_property_readonly(
            "observed_calculated",
            [](const Sweep& s) { return observedColumn(s, &ObservedComparison::calculated); },
            "The conductivity calculated at each observed C0 (MC*M)")
        .def_property_readonly(
            "observed_free_anion",
            [](const Sweep& s) { return observedColumn(s, &ObservedComparison::freeAnion); },
            "[X-] at each observed C0 (mol/L)")
        .def("__repr__", [](const Sweep& s) {
            return "<condsim.Sweep of " + std::to_string(s.calculated.points.size()) +
                   " calculated points and " + std::to_string(s.observed.size()) +
                   " observed rows>";
        });

    system.def(
        "sweep",
        [](const System& self, const py::object& data, bool report, const py::object& threads) {
            const PrivateFolder folder;
            const BatchOptions options =
                parseArguments(sweepArguments(self, data, threads, report, folder));
            return sweepOf(runSession(options, folder), report, folder);
        },
        py::arg("data") = py::none(), py::kw_only(), py::arg("report") = false,
        py::arg("threads") = py::none(),
        "Conduct Calculations as condsim-batch runs it: File/Open of the data (a file name, "
        "an ObservedData or (concentrations, conductivities); None: none, or the session's), "
        "the system's "
        "values, Initialize or the constants, the scaling factors, then the sweep of "
        "`points` points. Returns a Sweep; with report=True its report is the text File/Save "
        "(--report) writes, byte for byte.\n\nthreads: the threads of the sweep (None: one "
        "per processor core); the results are the same for every count. The GIL is released "
        "while it runs. The solver's record.txt, which the program creates in the current "
        "folder, goes to the call's private temporary folder, so the current folder stays as "
        "it was.");
}

}  // namespace condsim::python
