// Observed data: read from a file, imported in their units (the converter behind
// condsim-batch --import), or given as arrays (condsim.ObservedData); and the table of
// preset solvents.

#include <pybind11/stl.h>

#include <filesystem>

#include "System.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "model/ionic/Solvent.h"

namespace condsim::python {

namespace {

void addOption(std::vector<std::string>& arguments, const char* option, const std::string& value) {
    arguments.push_back(option);
    arguments.push_back(value);
}

std::string nameOf(const char* keyword, const py::handle& value) {
    if (!py::isinstance<py::str>(value))
        throw ModuleError{ErrorKind::Usage, std::string(keyword) + " takes a name, not " +
                                                py::repr(value).cast<std::string>()};
    return value.cast<std::string>();
}

ObservedData importData(const py::object& file, const py::object& conductivityUnit,
                        const py::object& concentrationUnit, const py::object& columns,
                        const py::object& skip, const py::object& separator,
                        const py::object& decimalComma, const py::object& density,
                        const py::object& system) {
    const PrivateFolder folder;
    std::vector<std::string> arguments;
    if (!system.is_none()) arguments = system.cast<const System&>().runArguments(folder);
    addOption(arguments, "--import",
              py::module_::import("os").attr("fspath")(file).cast<std::string>());
    addOption(arguments, "--conductivity-unit", nameOf("conductivity_unit", conductivityUnit));
    if (!concentrationUnit.is_none())
        addOption(arguments, "--concentration-unit",
                  nameOf("concentration_unit", concentrationUnit));
    if (!columns.is_none()) {
        const auto pair = columns.cast<py::sequence>();
        if (py::len(pair) != 2)
            throw ModuleError{
                ErrorKind::Usage,
                "columns takes (concentration, conductivity), from 1, such as (1, 2)"};
        addOption(arguments, "--columns",
                  wholeArgument("columns", pair[0]) + "," + wholeArgument("columns", pair[1]));
    }
    if (!skip.is_none()) addOption(arguments, "--skip", wholeArgument("skip", skip));
    if (!separator.is_none()) addOption(arguments, "--separator", nameOf("separator", separator));
    if (!decimalComma.is_none()) {
        if (!py::isinstance<py::bool_>(decimalComma))
            throw ModuleError{ErrorKind::Usage,
                              "decimal_comma takes True, False or None (guessed)"};
        addOption(arguments, "--decimal-comma", decimalComma.cast<bool>() ? "yes" : "no");
    }
    if (!density.is_none()) addOption(arguments, "--density", numberArgument("density", density));
    const std::string converted = folder.file("converted.txt");
    addOption(arguments, "--write-data", converted);
    const BatchOutcome outcome = checkSession(parseArguments(arguments), folder);
    ObservedData data = ObservedData::fromText(readWholeFile(converted));
    // The texts of a run name the measured file it was converted from.
    data.name = std::filesystem::absolute(
                    py::module_::import("os").attr("fspath")(file).cast<std::string>())
                    .string() +
                " (imported)";
    data.messages = outcome.messages;
    return data;
}

py::dict solventRow(const Solvent& solvent) {
    py::dict row;
    row["name"] = solvent.name;
    row["temperature"] = toFloat(solvent.temperature);
    row["permittivity"] = toFloat(solvent.permittivity);
    row["viscosity"] = toFloat(solvent.viscosity * 1000);
    row["bjerrum_distance"] = toFloat(bjerrumDistance(solvent, 1));
    // The temperatures at which the solvent is known (water's from its correlations);
    // System(solvent=..., temperature=...) and a series refuse any other.
    const SolventTemperatures allowed = solventTemperatures(solvent.name);
    row["temperatures"] = py::make_tuple(toFloat(allowed.low), toFloat(allowed.high));
    row["temperatures_text"] = solventTemperaturesText(solvent.name);
    return row;
}

py::object solventTable() {
    py::list table;
    for (const Solvent& solvent : solventPresets()) table.append(solventRow(solvent));
    return table;
}

// The preset at a temperature, as the Solution Model window and a series take it.
py::dict solventAt(const std::string& name, const py::object& kelvin) {
    ext temperature = 0;
    try {
        temperature = number(numberArgument("temperature", kelvin));
    } catch (const Error& refusal) {
        throw ModuleError{ErrorKind::Usage, errorBoxText(refusal)};
    }
    try {
        return solventRow(solventAtTemperature(name, temperature));
    } catch (const Error& refusal) {
        throw ModuleError{ErrorKind::Input, errorBoxText(refusal)};
    }
}

}  // namespace

void registerImport(py::module_& module) {
    py::class_<ObservedData>(
        module, "ObservedData",
        "Observed data: pairs of the total concentration C0 (mol/L) and the measured "
        "conductivity (MC*M), as an observed data file holds them. The arrays are the values "
        "the program read, rounded to Python floats; text is the file's text, which a run "
        "opens as File/Open does.")
        .def(py::init([](const py::object& concentration, const py::object& conductivity,
                         const std::string& name) {
                 std::string text;
                 const py::list c0(concentration);
                 const py::list kappa(conductivity);
                 if (py::len(c0) != py::len(kappa))
                     throw ModuleError{ErrorKind::Usage,
                                       "ObservedData takes concentrations and conductivities of "
                                       "the same length"};
                 for (size_t i = 0; i < py::len(c0); ++i)
                     text += numberArgument("concentration", c0[i]) + "\t" +
                             numberArgument("conductivity", kappa[i]) + "\n";
                 ObservedData data = ObservedData::fromText(text);
                 data.name = name;
                 return data;
             }),
             py::arg("concentration"), py::arg("conductivity"),
             py::arg("name") = ObservedData::defaultDataName,
             "The pairs of two sequences, written as the texts of Python's repr (a str is "
             "taken as it is); name is what a report and a series table call them. Raises "
             "DataError with the program's message for a value it "
             "refuses (NaN, infinity, a negative value).")
        .def_property_readonly(
            "concentration", [](const ObservedData& d) { return floatArray(d.concentration); },
            "C0 (mol/L)")
        .def_property_readonly(
            "conductivity", [](const ObservedData& d) { return floatArray(d.conductivity); },
            "The measured conductivity (MC*M)")
        .def_readonly("text", &ObservedData::fileText, "The observed data file's text")
        .def_readonly("name", &ObservedData::name,
                      "What a report calls data without a file of their own: the name given, "
                      "\"(data from Python)\" or, for imported data, the measured file's name")
        .def_readonly("messages", &ObservedData::messages,
                      "What the import guessed (its separator, skipped lines, decimal comma), "
                      "as condsim-batch writes it to standard error")
        .def(
            "save",
            [](const ObservedData& d, const py::object& file) {
                writeWholeFile(py::module_::import("os").attr("fspath")(file).cast<std::string>(),
                               d.fileText);
            },
            py::arg("file"), "Writes the observed data file (for File/Open and --data)")
        .def("__len__", [](const ObservedData& d) { return d.concentration.size(); })
        .def("__repr__", [](const ObservedData& d) {
            return "<condsim.ObservedData of " + std::to_string(d.concentration.size()) + " pairs>";
        });

    module.def(
        "read_data",
        [](const py::object& file) {
            return ObservedData::fromFile(
                py::module_::import("os").attr("fspath")(file).cast<std::string>());
        },
        py::arg("file"),
        "Reads an observed data file (pairs of C0 in mol/L and the conductivity in MC*M) with "
        "the program's reader; raises DataError with its message when it refuses the file.");

    module.def("import_data", &importData, py::arg("file"), py::kw_only(),
               py::arg("conductivity_unit"), py::arg("concentration_unit") = py::none(),
               py::arg("columns") = py::none(), py::arg("skip") = py::none(),
               py::arg("separator") = py::none(), py::arg("decimal_comma") = py::none(),
               py::arg("density") = py::none(), py::arg("system") = py::none(),
               "Imports measured data in their own units, as condsim-batch --import does, and "
               "returns the converted pairs as ObservedData.\n\nconductivity_unit: \"S/cm\", "
               "\"mS/cm\", \"uS/cm\", \"S/m\", \"molar\" (S cm2 mol-1) or \"equivalent\" (S cm2 "
               "equiv-1, n of the system equivalents per formula). concentration_unit: "
               "\"mol/L\" (default), \"mmol/L\" or \"mol/kg\" (with density in kg/L, default "
               "0.997047). columns: (concentration, conductivity) from 1, default (1, 2). "
               "skip: leading lines that are not data; separator: \"auto\", \"space\", "
               "\"comma\", \"semicolon\" or \"tab\"; decimal_comma: True or False; each "
               "guessed when None (the guesses are in the result's messages). system: the "
               "System whose n converts equivalent conductance (default n = 6).");

    module.def("solvents", &solventTable,
               "The preset solvents of the ionic-strength models at 25 C: a list of dicts "
               "with name, temperature (K), permittivity (eps_r), viscosity (mPa s), "
               "bjerrum_distance (Angstrom, for a 1:1 pair) and the temperatures the solvent "
               "allows: temperatures (low, high) in K and temperatures_text (\"273.15 to "
               "373.15 K\", \"298.15 K only\").");
    module.def("solvent_at", &solventAt, py::arg("name"), py::arg("temperature"),
               "The preset solvent at a temperature (K), a dict as solvents() gives: water "
               "from 0 to 100 C from its correlations, the others at 298.15 K only. Raises "
               "InputError with the program's message for a temperature the solvent does not "
               "allow, UsageError for one that is not a number.");
}

}  // namespace condsim::python
