#include "Session.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/Error.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "plot/RecordingCanvas.h"

namespace condsim::python {

namespace {

// The exception classes by kind; made once at import and kept for the life of the process.
PyObject* exceptionClasses[6] = {};

PyObject* makeException(py::module_& module, const char* name, const char* doc, PyObject* base) {
    const std::string qualified = std::string("condsim.") + name;
    PyObject* made = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, base, nullptr);
    if (made == nullptr) throw py::error_already_set();
    Py_INCREF(made);  // the module's reference, besides the one kept here
    module.add_object(name, py::handle(made));
    return made;
}

ErrorKind kindOfStep(BatchStep step) {
    switch (step) {
        case BatchStep::Data:
            return ErrorKind::Data;
        case BatchStep::SolutionModel:
        case BatchStep::Constants:
        case BatchStep::ScalingFactors:
            return ErrorKind::Input;
        case BatchStep::Fit:
            return ErrorKind::Fit;
        case BatchStep::Calculation:
            return ErrorKind::Calculation;
        case BatchStep::Outputs:
        case BatchStep::Files:
            break;
    }
    return ErrorKind::Program;
}

// The error of a run that stopped: the error boxes' texts, one per line.
void raiseIfFailed(const BatchOutcome& outcome) {
    if (outcome.status == 0) return;
    std::string text;
    for (const std::string& error : outcome.errors) text += (text.empty() ? "" : "\n") + error;
    if (text.empty()) text = "The run stopped without a message";
    throw ModuleError{kindOfStep(outcome.failedStep), text};
}

const CanvasFactory& recordingCanvases() {
    static const CanvasFactory canvases = [](int width, int height) {
        return std::make_unique<RecordingCanvas>(width, height);
    };
    return canvases;
}

}  // namespace

void registerExceptions(py::module_& module) {
    PyObject* error = makeException(
        module, "Error",
        "An error of condsim: its message is the program's text (the error box's text with its "
        "English line where the program gives one).\n\nSubclasses ValueError. The subclasses "
        "say which step refused: UsageError, InputError, DataError, CalculationError, FitError.",
        PyExc_ValueError);
    exceptionClasses[static_cast<int>(ErrorKind::Program)] = error;
    exceptionClasses[static_cast<int>(ErrorKind::Usage)] = makeException(
        module, "UsageError",
        "An argument that condsim-batch's options refuse: a whole number outside its range "
        "(n 2..30, alfa 1..100, points 9..1000), an unknown solution model, solvent or fit "
        "parameter, a value of the wrong type. The message is the tool's reason.",
        error);
    exceptionClasses[static_cast<int>(ErrorKind::Input)] = makeException(
        module, "InputError",
        "A value the program refuses when it takes the inputs: a negative or unreadable "
        "constant, an ion size or solvent value outside its range, a scaling-factor file.",
        error);
    exceptionClasses[static_cast<int>(ErrorKind::Data)] = makeException(
        module, "DataError",
        "Observed data the program refuses: a file it cannot read, a value that is not a "
        "number (NaN, infinity) or is negative, an import it cannot convert.",
        error);
    exceptionClasses[static_cast<int>(ErrorKind::Calculation)] = makeException(
        module, "CalculationError",
        "Conduct Calculations failed: the calculation refused its inputs or could not solve a "
        "point.",
        error);
    exceptionClasses[static_cast<int>(ErrorKind::Fit)] = makeException(
        module, "FitError",
        "The fit or the comparison of n could not run (too few points, parameters the system "
        "cannot fit) or did not converge; the message says why.",
        error);
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const ModuleError& failure) {
            PyErr_SetString(exceptionClasses[static_cast<int>(failure.kind)], failure.text.c_str());
        } catch (const Error& failure) {
            PyErr_SetString(exceptionClasses[static_cast<int>(ErrorKind::Program)],
                            errorBoxText(failure).c_str());
        }
    });
}

PrivateFolder::PrivateFolder() {
    std::error_code failure;
    const std::filesystem::path base = std::filesystem::temp_directory_path(failure);
    std::string pattern = ((failure ? std::filesystem::path("/tmp") : base) / "condsim-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr)
        throw ModuleError{ErrorKind::Program, "No temporary folder could be made for the run"};
    path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string PrivateFolder::file(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
}

void PrivateFolder::showAs(const std::string& file, const std::string& shownName) const {
    shownNames_.emplace_back(file, shownName);
}

std::string PrivateFolder::shown(std::string text,
                                 std::string (*form)(const std::string& name)) const {
    for (const auto& [file, plainName] : shownNames_) {
        const std::string name = form != nullptr ? form(plainName) : plainName;
        for (auto at = text.find(file); at != std::string::npos;
             at = text.find(file, at + name.size())) {
            text.replace(at, file.size(), name);
        }
    }
    return text;
}

BatchOptions parseArguments(const std::vector<std::string>& arguments) {
    try {
        return parseBatchOptions(arguments);
    } catch (const BatchUsageError& usage) {
        throw ModuleError{ErrorKind::Usage, usage.reason};
    }
}

namespace {

BatchOutcome runInFolder(BatchOptions options, const PrivateFolder& folder, std::string* results) {
    options.recordFolder = folder.path();
    std::ostringstream messages;
    std::ostringstream table;
    BatchOutcome outcome;
    {
        const py::gil_scoped_release released;
        outcome = runBatchOutcome(options, messages, table, recordingCanvases(), {}, {});
    }
    if (results != nullptr) *results = folder.shown(table.str());
    for (std::string& error : outcome.errors) error = folder.shown(error);
    for (std::string& message : outcome.messages) message = folder.shown(message);
    return outcome;
}

}  // namespace

BatchOutcome runSession(BatchOptions options, const PrivateFolder& folder, std::string* results) {
    const BatchOutcome outcome = runInFolder(std::move(options), folder, results);
    raiseIfFailed(outcome);
    return outcome;
}

BatchOutcome runSeriesSession(BatchOptions options, const PrivateFolder& folder,
                              std::string* results) {
    const BatchOutcome outcome = runInFolder(std::move(options), folder, results);
    if (!outcome.series) raiseIfFailed(outcome);
    return outcome;
}

BatchOutcome checkSession(BatchOptions options, const PrivateFolder& folder) {
    options.recordFolder = folder.path();
    std::ostringstream messages;
    BatchOutcome outcome;
    {
        const py::gil_scoped_release released;
        outcome = checkBatchInputs(options, messages, recordingCanvases());
    }
    for (std::string& error : outcome.errors) error = folder.shown(error);
    for (std::string& message : outcome.messages) message = folder.shown(message);
    raiseIfFailed(outcome);
    return outcome;
}

namespace {

// A bool is not taken for a number, though Python counts it as one; nor is numpy's, which
// only a process that has loaded numpy can hold.
bool isBool(const py::handle& value) {
    if (py::isinstance<py::bool_>(value)) return true;
    const py::dict modules = py::module_::import("sys").attr("modules");
    return modules.contains("numpy") && py::isinstance(value, modules["numpy"].attr("bool_"));
}

}  // namespace

std::string numberArgument(const char* name, const py::handle& value) {
    if (py::isinstance<py::str>(value)) return value.cast<std::string>();
    if (!isBool(value)) {
        // Whole numbers (int, numpy's integers) in decimal; other numbers (float, numpy's
        // floats) as the repr of the Python float they convert to.
        if (py::hasattr(value, "__index__"))
            return py::str(py::module_::import("operator").attr("index")(value))
                .cast<std::string>();
        if (py::hasattr(value, "__float__"))
            return py::repr(py::float_(py::reinterpret_borrow<py::object>(value)))
                .cast<std::string>();
    }
    throw ModuleError{ErrorKind::Usage, std::string(name) + " takes a number or its text, not " +
                                            py::repr(value).cast<std::string>()};
}

std::string wholeArgument(const char* name, const py::handle& value) {
    if (!isBool(value) && py::hasattr(value, "__index__"))
        return py::str(py::module_::import("operator").attr("index")(value)).cast<std::string>();
    throw ModuleError{ErrorKind::Usage, std::string(name) + " takes a whole number, not " +
                                            py::repr(value).cast<std::string>()};
}

double toFloat(ext value) { return static_cast<double>(value); }

std::string valueText(ext value) { return NumberText(value, '.'); }

py::array_t<double> floatArray(const std::vector<ext>& values) {
    py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
    auto cells = array.mutable_unchecked<1>();
    for (size_t i = 0; i < values.size(); ++i)
        cells(static_cast<py::ssize_t>(i)) = toFloat(values[i]);
    return array;
}

std::vector<std::string> threadArguments(const py::object& threads) {
    if (threads.is_none()) return {};
    return {"--threads", wholeArgument("threads", threads)};
}

std::string readWholeFile(const std::string& fileName) {
    try {
        return readTextFile(fileName);
    } catch (const Error& failure) {
        throw ModuleError{ErrorKind::Program, errorBoxText(failure)};
    }
}

void writeWholeFile(const std::string& fileName, const std::string& text) {
    try {
        writeTextFile(fileName, text);
    } catch (const Error& failure) {
        throw ModuleError{ErrorKind::Program, errorBoxText(failure)};
    }
}

}  // namespace condsim::python
