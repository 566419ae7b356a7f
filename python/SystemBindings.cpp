// condsim.System: n, the constants, Model #1, the limiting conductivities, the scaling
// factors and the solution model, as keyword arguments that become condsim-batch's options.

#include <pybind11/stl.h>

#include <array>
#include <filesystem>

#include "System.h"
#include "core/Error.h"
#include "files/ObservedDataFile.h"
#include "files/TextFile.h"

namespace condsim::python {

namespace {

enum class Kind { Whole, Number, Switch, Name, File };

struct Setting {
    const char* keyword;
    const char* option;
    Kind kind;
};

// The keywords of System in the order of its signature, with the options they set.
constexpr std::array settings{
    Setting{"n", "--n", Kind::Whole},
    Setting{"beta1", "--beta1", Kind::Number},
    Setting{"alfa", "--alfa", Kind::Whole},
    Setting{"model1", "--model1", Kind::Switch},
    Setting{"mca", "--mca", Kind::Number},
    Setting{"mcx", "--mcx", Kind::Number},
    Setting{"points", "--points", Kind::Whole},
    Setting{"gradient", "--gradient", Kind::Whole},
    Setting{"hyperbolic", "--hyperbolic", Kind::Number},
    Setting{"factors", "--factors", Kind::File},
    Setting{"solution", "--solution", Kind::Name},
    Setting{"ion_size", "--ion-size", Kind::Number},
    Setting{"solvent", "--solvent", Kind::Name},
    Setting{"temperature", "--temperature", Kind::Number},
    Setting{"permittivity", "--permittivity", Kind::Number},
    Setting{"viscosity", "--viscosity", Kind::Number},
    Setting{"session", "--session", Kind::File},
};

const Setting* settingNamed(const std::string& keyword) {
    for (const Setting& setting : settings)
        if (keyword == setting.keyword) return &setting;
    return nullptr;
}

std::string fileName(const char* keyword, const py::handle& value) {
    const py::object os = py::module_::import("os");
    if (py::isinstance<py::str>(value) || py::hasattr(value, "__fspath__"))
        return os.attr("fspath")(value).cast<std::string>();
    throw ModuleError{ErrorKind::Usage, std::string(keyword) + " takes a file name, not " +
                                            py::repr(value).cast<std::string>()};
}

// The text of a keyword's value as its option takes it.
std::string settingText(const Setting& setting, const py::handle& value) {
    switch (setting.kind) {
        case Kind::Whole:
            return wholeArgument(setting.keyword, value);
        case Kind::Number:
            return numberArgument(setting.keyword, value);
        case Kind::Switch:
            if (!py::isinstance<py::bool_>(value))
                throw ModuleError{ErrorKind::Usage, std::string(setting.keyword) +
                                                        " takes True or False, not " +
                                                        py::repr(value).cast<std::string>()};
            return value.cast<bool>() ? "on" : "off";
        case Kind::Name:
            if (!py::isinstance<py::str>(value))
                throw ModuleError{ErrorKind::Usage, std::string(setting.keyword) +
                                                        " takes a name, not " +
                                                        py::repr(value).cast<std::string>()};
            return value.cast<std::string>();
        case Kind::File:
            return fileName(setting.keyword, value);
    }
    return {};
}

// The Python value of a kept text: an int, a bool, or the text itself.
py::object settingValue(const Setting& setting, const std::string& text) {
    switch (setting.kind) {
        case Kind::Whole:
            return py::int_(std::stoi(text));
        case Kind::Switch:
            return py::bool_(text == "on");
        default:
            return py::str(text);
    }
}

std::vector<std::string> constantTexts(const py::handle& values) {
    if (py::isinstance<py::str>(values) || !py::isinstance<py::iterable>(values))
        throw ModuleError{ErrorKind::Usage,
                          "K takes a sequence of stepwise constants K1..Kn, not " +
                              py::repr(values).cast<std::string>()};
    std::vector<std::string> texts;
    for (const py::handle value : values) texts.push_back(numberArgument("K", value));
    return texts;
}

// The system with the keywords changed (None: back to the program's start value), after the
// options' parser and the windows have taken it; raises and changes nothing otherwise.
System changed(const System& system, const py::dict& keywords) {
    System candidate = system;
    for (const auto& [key, value] : keywords) {
        const auto keyword = key.cast<std::string>();
        if (keyword == "K") {
            if (value.is_none()) {
                candidate.constants.reset();
            } else {
                candidate.constants = constantTexts(value);
            }
            continue;
        }
        const Setting* setting = settingNamed(keyword);
        if (setting == nullptr)
            throw ModuleError{ErrorKind::Usage, "System has no setting '" + keyword + "'"};
        if (value.is_none()) {
            candidate.options.erase(setting->option);
        } else {
            candidate.options[setting->option] = settingText(*setting, value);
        }
    }
    const PrivateFolder folder;
    checkSession(parseArguments(candidate.runArguments(folder)), folder);
    return candidate;
}

std::string systemRepr(const System& system) {
    std::string text = "condsim.System(";
    bool first = true;
    const auto add = [&](const std::string& part) {
        text += (first ? "" : ", ") + part;
        first = false;
    };
    for (const Setting& setting : settings) {
        const auto kept = system.options.find(setting.option);
        if (kept == system.options.end()) continue;
        add(std::string(setting.keyword) + "=" +
            py::repr(settingValue(setting, kept->second)).cast<std::string>());
    }
    if (system.constants) add("K=" + py::repr(py::cast(*system.constants)).cast<std::string>());
    return text + ")";
}

constexpr const char* systemDoc =
    R"(The system and its solution model, as condsim-batch's options give them.

Every keyword is optional; None (the default) keeps the program's start value, which is
the batch tool's default:

    n=6            the number of anions the cation binds, 2..30 (--n)
    beta1="10000"  K1, L/mol (--beta1)
    alfa=20        alfa of Model #1 in percent, 1..100 (--alfa)
    model1=True    Model #1: K(i+1) = alfa % of K(i) (--model1)
    mca="88"       lambda(A/z), the limiting conductivity of the cation (--mca)
    mcx="59"       lambda(X-), of the anion (--mcx)
    points=200     the number of calculated points of the sweep, 9..1000 (--points)
    gradient       the Type 1 gradient of the scaling factors, -100..100 (--gradient)
    hyperbolic     a of the hyperbolic rule of the scaling factors (--hyperbolic)
    factors        a scaling-factor file (--factors)
    K              K1..Kn, imported as a stepwise-constant file (--constants); without it
                   Initialize builds them from n, beta1, Model #1 and alfa
    solution       "ideal" (the designed calculation), "debye-huckel" or "davies"
    ion_size       a in Angstrom (4.5), or "bjerrum" (--ion-size)
    solvent        "water", "acetonitrile" or "methanol" at 25 C (--solvent)
    temperature    alone: the preset at T in K (water from 273.15 to 373.15 K, from its
                   correlations; the others at 298.15 K only, see solvents())
    temperature, permittivity, viscosity
                   another solvent: T in K, eps_r, eta in mPa s, all three together
    session        a session file saved by the desktop program or condsim-batch
                   --save-session (--session): its observed data, fields, constants,
                   factors, solution model and fit parameters; the other keywords change
                   what it holds, and a call without data uses its observed data

Numbers are taken as the text a field takes: a str as it is (exact), an int in decimal,
a float as its repr (the shortest text that reads back as the same float). The program
computes in 80-bit reals from that text.

A System never holds values the program refuses: the constructor, replace() and every
attribute assignment run the batch tool's parser and the windows' own checks (up to the
scaling factors), and raise UsageError or InputError with the program's message, leaving
the system as it was.)";

}  // namespace

std::vector<std::string> System::arguments() const {
    std::vector<std::string> list;
    for (const Setting& setting : settings) {
        const auto kept = options.find(setting.option);
        if (kept == options.end()) continue;
        list.push_back(setting.option);
        list.push_back(kept->second);
    }
    return list;
}

std::vector<std::string> System::runArguments(const PrivateFolder& folder) const {
    std::vector<std::string> list = arguments();
    if (constants) {
        std::string text;
        for (const std::string& constant : *constants) text += constant + "\n";
        const std::string file = folder.file("stepwise-constants.txt");
        writeWholeFile(file, text);
        list.push_back("--constants");
        list.push_back(file);
    }
    return list;
}

namespace {

// The pairs of an observed data file as the program's reader reads them; its refusal as
// DataError, with the file called by the name given.
ObservedData readObservedData(const std::string& file, const std::string& text,
                              const std::string& shownName) {
    ObservedData data;
    data.fileText = text;
    try {
        const NumberRecords records = ReadObservedDataFile(file);
        for (int r = 0; r < records.count(); ++r) {
            data.concentration.push_back(records.value(r, 0));
            data.conductivity.push_back(records.value(r, 1));
        }
    } catch (const Error& refusal) {
        std::string message = errorBoxText(refusal);
        for (auto at = message.find(file); at != std::string::npos;
             at = message.find(file, at + shownName.size())) {
            message.replace(at, file.size(), shownName);
        }
        throw ModuleError{ErrorKind::Data, message};
    }
    return data;
}

}  // namespace

ObservedData ObservedData::fromText(const std::string& text) {
    const PrivateFolder folder;
    const std::string file = folder.file("observed-data.txt");
    writeWholeFile(file, text);
    return readObservedData(file, text, "the observed data given");
}

ObservedData ObservedData::fromFile(const std::string& fileName) {
    const std::string name = std::filesystem::absolute(fileName).string();
    ObservedData data = readObservedData(name, readWholeFile(name), name);
    data.fileName = name;
    return data;
}

std::vector<std::string> ObservedData::arguments(const PrivateFolder& folder) const {
    if (fileName) {
        try {
            if (readTextFile(*fileName) == fileText) return {"--data", *fileName};
        } catch (const Error&) {
            // Gone or unreadable since: the kept text is opened instead.
        }
    }
    const std::string file = folder.file("observed-data.txt");
    writeWholeFile(file, fileText);
    folder.showAs(file, name);
    return {"--data", file};
}

std::vector<std::string> dataArguments(const py::object& data, const PrivateFolder& folder) {
    if (data.is_none()) return {};
    if (py::isinstance<ObservedData>(data))
        return data.cast<const ObservedData&>().arguments(folder);
    if (py::isinstance<py::str>(data) || py::hasattr(data, "__fspath__"))
        return {"--data", fileName("data", data)};
    if (py::isinstance<py::sequence>(data) && py::len(data) == 2) {
        const auto columns = data.cast<py::sequence>();
        const py::list concentrations(columns[0]);
        const py::list conductivities(columns[1]);
        if (py::len(concentrations) != py::len(conductivities))
            throw ModuleError{ErrorKind::Usage,
                              "data takes concentrations and conductivities of the same length"};
        std::string text;
        for (size_t i = 0; i < py::len(concentrations); ++i) {
            text += numberArgument("data", concentrations[i]) + "\t" +
                    numberArgument("data", conductivities[i]) + "\n";
        }
        return ObservedData::fromText(text).arguments(folder);
    }
    throw ModuleError{ErrorKind::Usage,
                      "data takes a file name, an ObservedData or (concentrations, "
                      "conductivities), not " +
                          py::repr(data).cast<std::string>()};
}

void registerSystem(py::module_& /*module*/, py::class_<System>& system) {
    system.doc() = systemDoc;
    system.def(py::init([](const py::kwargs& keywords) { return changed(System{}, keywords); }),
               "System(*, n=None, beta1=None, alfa=None, model1=None, mca=None, mcx=None, "
               "points=None, gradient=None, hyperbolic=None, factors=None, K=None, "
               "solution=None, ion_size=None, solvent=None, temperature=None, "
               "permittivity=None, viscosity=None, session=None)\n\nSee the class's "
               "documentation for the "
               "keywords; raises UsageError or InputError for values the program refuses.");
    system.def(
        "replace",
        [](const System& self, const py::kwargs& keywords) { return changed(self, keywords); },
        "A copy with the keywords changed (None: back to the program's start value). Checked "
        "as the constructor checks; raises and leaves this system as it was.");
    system.def("arguments", &System::arguments,
               "The condsim-batch arguments of this system (K, if given, is a --constants file "
               "that a run writes).");
    system.def("__repr__", &systemRepr);
    for (const Setting& setting : settings) {
        const std::string keyword = setting.keyword;
        system.def_property(
            setting.keyword,
            [setting](const System& self) -> py::object {
                const auto kept = self.options.find(setting.option);
                return kept == self.options.end() ? py::none()
                                                  : settingValue(setting, kept->second);
            },
            [keyword](System& self, const py::object& value) {
                py::dict change;
                change[py::str(keyword)] = value;
                self = changed(self, change);
            },
            (std::string("The value of ") + setting.option +
             " as given (an int, a bool or the text); None: the program's start value. "
             "Assignment is checked as the constructor checks.")
                .c_str());
    }
    system.def_property(
        "K",
        [](const System& self) -> py::object {
            return self.constants ? py::cast(*self.constants) : py::none();
        },
        [](System& self, const py::object& value) {
            py::dict change;
            change["K"] = value;
            self = changed(self, change);
        },
        "K1..Kn as texts, imported as a stepwise-constant file; None: Initialize builds them.");
}

}  // namespace condsim::python
