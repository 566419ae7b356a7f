// Observed data: read from a file, imported in their units (the converter behind
// condsim-batch --import), or given as arrays (condsim.ObservedData); and the table of
// preset solvents.

#include <pybind11/stl.h>

#include "System.h"
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
    const BatchOutcome outcome = checkSession(parseArguments(arguments));
    ObservedData data = ObservedData::fromText(readWholeFile(converted));
    data.messages = outcome.messages;
    return data;
}

py::object solventTable() {
    py::list table;
    for (const Solvent& solvent : solventPresets()) {
        py::dict row;
        row["name"] = solvent.name;
        row["temperature"] = toFloat(solvent.temperature);
        row["permittivity"] = toFloat(solvent.permittivity);
        row["viscosity"] = toFloat(solvent.viscosity * 1000);
        row["bjerrum_distance"] = toFloat(bjerrumDistance(solvent, 1));
        table.append(row);
    }
    return table;
}

}  // namespace

void registerImport(py::module_& module) {
    py::class_<ObservedData>(
        module, "ObservedData",
        "Observed data: pairs of the total concentration C0 (mol/L) and the measured "
        "conductivity (MC*M), as an observed data file holds them. The arrays are the values "
        "the program read, rounded to Python floats; text is the file's text, which a run "
        "opens as File/Open does.")
        .def(py::init([](const py::object& concentration, const py::object& conductivity) {
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
                 return ObservedData::fromText(text);
             }),
             py::arg("concentration"), py::arg("conductivity"),
             "The pairs of two sequences, written as the texts of Python's repr (a str is "
             "taken as it is). Raises DataError with the program's message for a value it "
             "refuses (NaN, infinity, a negative value).")
        .def_property_readonly(
            "concentration", [](const ObservedData& d) { return floatArray(d.concentration); },
            "C0 (mol/L)")
        .def_property_readonly(
            "conductivity", [](const ObservedData& d) { return floatArray(d.conductivity); },
            "The measured conductivity (MC*M)")
        .def_readonly("text", &ObservedData::fileText, "The observed data file's text")
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
               "with name, temperature (K), permittivity (eps_r), viscosity (mPa s) and "
               "bjerrum_distance (Angstrom, for a 1:1 pair).");
}

}  // namespace condsim::python
