#include "batch/BatchOptions.h"

#include <charconv>
#include <climits>
#include <functional>
#include <map>

#include "batch/BatchNumberOptions.h"
#include "core/Error.h"
#include "files/WholeNumber.h"
#include "plot/FigureFormat.h"

namespace condsim {

const char* batchUsage() {
    return "Usage: condsim-batch [--session FILE] [--data FILE | --import FILE ...]\n"
           "                     [--n N] [--beta1 TEXT]\n"
           "                     [--alfa N] [--model1 on|off] [--mca TEXT] [--mcx TEXT]\n"
           "                     [--points N] [--scale N]\n"
           "                     [--constants FILE] [--factors FILE] [--gradient G]\n"
           "                     [--hyperbolic A] [--report FILE] [--plot FILE.png]\n"
           "                     [--distribution FILE.png] [--decimal-separator C]\n"
           "                     [--fit LIST] [--fit-n FROM..TO] [--weights absolute|relative]\n"
           "                     [--solution ideal|debye-huckel|davies] [--ion-size A|bjerrum]\n"
           "                     [--solvent water|acetonitrile|methanol]\n"
           "                     [--temperature K [--permittivity E --viscosity MPAS]]\n"
           "                     [--figure KIND:FILE]... [--figure-dpi N] [--figure-width CM]\n"
           "                     [--figure-caption on|off] [--figure-x linear|log|sqrt]\n"
           "                     [--species-names NAME,...] [--compare-solution MODEL[:A]]...\n"
           "                     [--export-csv FILE] [--threads N] [--save-session FILE]\n"
           "       condsim-batch --series FILE --fit LIST [--global-fit free|walden]\n"
           "                     [--vant-hoff-cp on|off] [--series-csv FILE]\n"
           "                     [--series-report FILE] [--series-figure KIND:FILE]...\n"
           "                     [model and fit options as above] [--session FILE]\n"
           "                     [--save-session FILE]\n"
           "       condsim-batch --session FILE [--series-csv FILE] [--series-report FILE]\n"
           "                     [--series-figure KIND:FILE]... [--global-fit free|walden]\n"
           "                     [--vant-hoff-cp on|off] [model and fit options as above]\n"
           "       condsim-batch --help | --version\n"
           "\n"
           "Runs the steps of the desktop program without a display, in this order:\n"
           "File/Open Session of --session (its data, fields, constants, scaling factors and\n"
           "solution model; every other option given overrides what it holds, and the\n"
           "constants are initialised again only when --n, --beta1, --alfa or --model1 is\n"
           "given);\n"
           "File/Open of --data; the fields take the given values; the solution model\n"
           "(--solution, default ideal; --ion-size in Angstrom, default 4.5, or bjerrum for\n"
           "Bjerrum's distance q of the first association step; --solvent, default\n"
           "water, or another solvent by its temperature, permittivity and viscosity in mPa s;\n"
           "--temperature alone is water's, 273.15 to 373.15 K; acetonitrile and methanol\n"
           "are known at 298.15 K only)\n"
           "is applied with the Solution Model window's OK; --constants imports the\n"
           "stepwise constants, otherwise Initialize runs; --factors loads the scaling\n"
           "factors; --gradient types G into the Type 1 field; --hyperbolic sets a and\n"
           "presses Apply; --fit-n prints the comparison of n for the --fit parameters;\n"
           "--fit fits the listed parameters (K1,alfa or any K<i>, with MCA and MCX, and the\n"
           "ion size a in the ionic-strength model; for example K1,alfa,MCA) to the observed\n"
           "data, applies them and prints the results;\n"
           "--weights chooses the residuals the fit minimises: absolute (calculated - observed\n"
           "conductivity, the default) or relative (divided by the observed conductivity);\n"
           "Conduct Calculations; File/Save to --report; the conductivity picture (--plot)\n"
           "and the distribution picture (--distribution) as PNG; the labelled figures\n"
           "(--figure, repeatable; KIND is conductivity, molar, molar-sqrt, distribution or\n"
           "residuals, the format .svg, .pdf or .png from FILE; 8.5 cm wide and 300 dpi\n"
           "unless --figure-width and --figure-dpi say otherwise; the caption line under\n"
           "the plot unless --figure-caption off, for a journal that sets captions in the\n"
           "text; the concentration axis as --figure-x says, log for speciation over\n"
           "decades, by default sqrt for molar-sqrt and linear for the others; the species\n"
           "of the distribution named by --species-names, n + 1 formulas such as\n"
           "Ca2+,CaCl+,CaCl2, in place of AX0..AXn; residuals are calculated - observed;\n"
           "--compare-solution (repeatable; MODEL ideal, debye-huckel or davies, A an ion\n"
           "size) runs the same steps, the fit included, in that model and draws its curve\n"
           "too in the conductivity and molar conductivity figures, with a legend);\n"
           "the data as CSV\n"
           "(--export-csv); the session of the windows after the run (--save-session, a file\n"
           "that File/Open Session and --session open).\n"
           "\n"
           "Whole numbers must lie in the range of their field (--n 2..30, --alfa 1..100,\n"
           "--points 9..1000, --scale 1..100000, --gradient -100..100).\n"
           "--threads N (N >= 1; default: one per processor core) shares the points of the\n"
           "calculation and the fits of --fit-n among N threads; the results are the same\n"
           "for every N.\n"
           "\n"
           "Fit results go to standard output, messages to standard error. Exit status:\n"
           "0 success, 1 an error of the program or a refused input (its text on standard\n"
           "error), 2 a usage error.\n"
           "\n"
           "Measured data in their own units, in place of --data (see docs/import.md, in\n"
           "/usr/share/doc/condsim when condsim is installed as a package):\n"
           "  --import FILE              a text or CSV table of measured data\n"
           "  --columns C,K              its concentration and conductivity columns (1,2)\n"
           "  --skip N                   leading lines that are not data (guessed)\n"
           "  --separator auto|space|comma|semicolon|tab   (auto: guessed)\n"
           "  --decimal-comma auto|yes|no                  (auto: guessed)\n"
           "  --concentration-unit mol/L|mmol/L|mol/kg     (mol/L)\n"
           "  --density D                kg/L for mol/kg, c = m x D (0.997047: water, 25 C;\n"
           "                             water at --temperature: its density there)\n"
           "  --conductivity-unit S/cm|mS/cm|uS/cm|S/m|molar|equivalent   (required)\n"
           "                             specific conductance, molar conductivity\n"
           "                             (S cm2 mol-1) or equivalent conductance (S cm2\n"
           "                             equiv-1, n of the system equivalents per formula)\n"
           "  --write-data FILE          saves the converted pairs for File/Open and --data\n"
           "The import runs after the constants step (so n is the system's), before the\n"
           "scaling factors.\n"
           "\n"
           "A temperature series (see docs/temperature-series.md), in place of --data:\n"
           "  --series FILE              one data set per line: its data file (relative to\n"
           "                             FILE's folder), its temperature in K and optionally\n"
           "                             lambda of the anion there (else the Walden rule from\n"
           "                             --mcx at 25 C); the --fit parameters are fitted to\n"
           "                             each, in the solvent at its temperature (--solvent,\n"
           "                             default water), then ln K1 against 1/T (van 't Hoff)\n"
           "  --vant-hoff-cp on|off      also a constant dCp (five or more temperatures)\n"
           "  --global-fit free|walden   all data sets at once with dH and dS (and dCp) in\n"
           "                             place of K1, lambda of the cation free at each\n"
           "                             temperature or tied by the Walden rule to 25 C\n"
           "  --series-csv FILE          the table per temperature as CSV\n"
           "  --series-report FILE       the tables of the series as a report\n"
           "  --series-figure KIND:FILE  a labelled figure (repeatable; KIND vant-hoff, ln K1\n"
           "                             against 1/T with the line and K1's intervals, or\n"
           "                             walden, lambda x eta of the cation against T), SVG,\n"
           "                             PDF or PNG from FILE, sized as --figure's\n"
           "The tables go to standard output; a data set that cannot be fitted is named with\n"
           "its line on standard error, the others stand, and the exit status is 1.\n"
           "With --session, a series option without --series runs the series the session\n"
           "holds (the Temperature Series window's list), with the session's fit parameters\n"
           "and analysis unless --fit, --global-fit or --vant-hoff-cp is given; --series\n"
           "replaces its list. --save-session keeps the series that ran.\n";
}

namespace {

// Blanks, a sign and digits: the form of a whole number, whatever its size.
bool hasWholeNumberForm(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    auto digits = text.find_first_not_of("+-", first);
    if (digits == std::string::npos || digits > first + 1) return false;
    const auto end = text.find_first_not_of("0123456789", digits);
    return end != digits &&
           (end == std::string::npos || text.find_first_not_of(' ', end) == std::string::npos);
}

// A whole number within the range of int. A text of the form of a whole number beyond
// that range throws tooLarge (a reason that names the range the option takes).
int wholeNumber(const std::string& option, const std::string& text,
                const std::string& tooLarge = {}) {
    int value = 0;
    if (!parseWholeNumber(text, value)) {
        if (hasWholeNumberForm(text)) {
            throw BatchUsageError{!tooLarge.empty() ? tooLarge
                                                    : option + ": '" + text + "' is too large"};
        }
        throw BatchUsageError{option + " needs a whole number, not '" + text + "'"};
    }
    return value;
}

// A whole number within the range of the field it is typed into. The windows bound a
// value beyond the range to its end; a command line says so instead, because a run with
// another value than the one asked for would report it as if it had been asked for.
int wholeNumberInRange(const std::string& option, const std::string& text, int minimum,
                       int maximum) {
    const std::string range = option + " must be a whole number from " + std::to_string(minimum) +
                              " to " + std::to_string(maximum);
    const int value = wholeNumber(option, text, range);
    if (value < minimum || value > maximum) throw BatchUsageError{range};
    return value;
}

std::vector<FitParameter> fitParameters(const std::string& list) {
    try {
        return parseFitParameterList(list);
    } catch (const Error& error) {
        throw BatchUsageError{"--fit: " + error.text()};
    }
}

// The number of threads: a whole number of at least 1.
int threadCount(const std::string& text) {
    const int value =
        wholeNumber("--threads", text,
                    "--threads: '" + text + "' is too large for a number of threads (at most " +
                        std::to_string(INT_MAX) + "; more threads than points gain nothing)");
    if (value < 1)
        throw BatchUsageError{"--threads must be a whole number of at least 1, not '" + text + "'"};
    return value;
}

// "FROM..TO", two whole numbers.
std::pair<int, int> speciesCountRange(const std::string& text) {
    const auto dots = text.find("..");
    int from = 0;
    int to = 0;
    if (dots == std::string::npos || !parseWholeNumber(text.substr(0, dots), from) ||
        !parseWholeNumber(text.substr(dots + 2), to)) {
        throw BatchUsageError{"--fit-n takes FROM..TO, for example 2..8, not '" + text + "'"};
    }
    return {from, to};
}

// "KIND:FILE" with a known kind and a file name of a known format.
std::pair<FigureKind, std::string> figureRequest(const std::string& text) {
    const auto colon = text.find(':');
    const auto kind =
        colon == std::string::npos ? std::nullopt : figureKindNamed(text.substr(0, colon));
    if (!kind || colon + 1 >= text.size()) {
        throw BatchUsageError{
            "--figure takes KIND:FILE with KIND conductivity, molar, molar-sqrt, distribution or "
            "residuals, not '" +
            text + "'"};
    }
    const std::string fileName = text.substr(colon + 1);
    if (figureFileFormat(fileName).empty()) {
        throw BatchUsageError{
            "--figure writes SVG, PDF or PNG: the file name must end in .svg, "
            ".pdf or .png, not '" +
            fileName + "'"};
    }
    return {*kind, fileName};
}

// A picture of a window: always PNG, so a name that ends in another extension would hold
// bytes of another format than it says. A name without an extension (a device such as
// /dev/stdout) is taken as it is.
std::string pngFileName(const std::string& option, const std::string& fileName) {
    const std::string extension = fileExtension(fileName);
    if (!extension.empty() && extension != "png") {
        throw BatchUsageError{option +
                              " writes a PNG picture: the file name must end in .png, "
                              "not '" +
                              fileName + "'"};
    }
    return fileName;
}

// A width in centimetres: a positive number with a period, at most a metre.
double figureWidth(const std::string& text) {
    double width = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
    const std::string takes =
        "--figure-width takes a width in centimetres, more than 0 and at most 100, not '" + text +
        "'";
    if (end != text.data() + text.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        throw BatchUsageError{takes};
    }
    if (error == std::errc::result_out_of_range) {
        throw BatchUsageError{takes + ": the value is beyond the range of numbers"};
    }
    if (!(width > 0)) throw BatchUsageError{takes + ": a width must be more than 0"};
    if (width > 100) throw BatchUsageError{takes + ": a width is at most 100 cm"};
    return width;
}

SolutionModelKind solutionKind(const std::string& text) {
    if (text == "ideal") return SolutionModelKind::Ideal;
    if (text == "debye-huckel") return SolutionModelKind::DebyeHuckel;
    if (text == "davies") return SolutionModelKind::Davies;
    throw BatchUsageError{"--solution takes ideal, debye-huckel or davies, not '" + text + "'"};
}

std::string solventName(const std::string& text) {
    if (text != "water" && text != "acetonitrile" && text != "methanol") {
        throw BatchUsageError{"--solvent takes water, acetonitrile or methanol, not '" + text +
                              "'"};
    }
    return text;
}

// Another solvent needs all three of its values, and excludes a preset. --temperature
// alone is the temperature of the preset (water unless --solvent names another).
void checkSolventValues(const BatchOptions& options) {
    if (!options.permittivity && !options.viscosity) return;
    if (!options.temperature || !options.permittivity || !options.viscosity) {
        throw BatchUsageError{
            "--temperature, --permittivity and --viscosity give another solvent together"};
    }
    if (options.solvent) {
        throw BatchUsageError{
            "--solvent and --temperature, --permittivity, --viscosity exclude each other"};
    }
}

// "KIND:FILE" of --series-figure, with a known kind and a file name of a known format.
std::pair<SeriesFigureKind, std::string> seriesFigureRequest(const std::string& text) {
    const auto colon = text.find(':');
    const auto kind =
        colon == std::string::npos ? std::nullopt : seriesFigureKindNamed(text.substr(0, colon));
    if (!kind || colon + 1 >= text.size()) {
        throw BatchUsageError{
            "--series-figure takes KIND:FILE with KIND vant-hoff or walden, not '" + text + "'"};
    }
    const std::string fileName = text.substr(colon + 1);
    if (figureFileFormat(fileName).empty()) {
        throw BatchUsageError{
            "--series-figure writes SVG, PDF or PNG: the file name must end in .svg, "
            ".pdf or .png, not '" +
            fileName + "'"};
    }
    return {*kind, fileName};
}

// A series takes its data and temperatures from the series file, or from the series a
// session holds, and writes its own outputs. The session's series and its fit parameters
// are known only when it is read.
void checkSeriesOptions(const BatchOptions& options) {
    if (!options.runsSeries()) {
        if (const char* given = options.seriesOption())
            throw BatchUsageError{std::string(given) + " needs --series FILE"};
        return;
    }
    if (!options.fit && !options.session) throw BatchUsageError{"--series needs --fit LIST"};
    const char* other = options.data                        ? "--data"
                        : options.importing.file            ? "--import"
                        : options.fitN                      ? "--fit-n"
                        : options.report                    ? "--report"
                        : options.plot                      ? "--plot"
                        : options.distribution              ? "--distribution"
                        : !options.figures.empty()          ? "--figure"
                        : options.exportCsv                 ? "--export-csv"
                        : !options.compareSolutions.empty() ? "--compare-solution"
                        : options.temperature               ? "--temperature"
                                                            : nullptr;
    if (other != nullptr) {
        throw BatchUsageError{std::string(other) +
                              " does not go with --series (its data and temperatures come from "
                              "the series file, its outputs are --series-csv and "
                              "--series-report)"};
    }
}

// The ion size and the solvent enter only the ionic-strength models: with the ideal model
// (the default) they would change nothing, which a run must not pretend.
void checkIonicOnlyOptions(const BatchOptions& options) {
    if (options.solution && *options.solution != SolutionModelKind::Ideal) return;
    // A session's model may be an ionic-strength model: its ion size or solvent may change.
    if (options.session) return;
    // A series uses the solvent's viscosity in any model: the Walden rule and product.
    const char* given = options.ionSize                            ? "--ion-size"
                        : options.solvent && !options.runsSeries() ? "--solvent"
                        : options.temperature                      ? "--temperature"
                        : options.permittivity                     ? "--permittivity"
                        : options.viscosity                        ? "--viscosity"
                                                                   : nullptr;
    if (given == nullptr) return;
    throw BatchUsageError{std::string(given) +
                          " applies to the ionic-strength models only (--solution debye-huckel "
                          "or davies); the ideal model does not use it"};
}

}  // namespace

BatchOptions parseBatchOptions(const std::vector<std::string>& arguments) {
    BatchOptions options;
    using Setter = std::function<void(const std::string&)>;
    std::map<std::string, Setter> valueOptions = {
        {"--session", [&](const std::string& v) { options.session = v; }},
        {"--save-session", [&](const std::string& v) { options.saveSession = v; }},
        {"--data", [&](const std::string& v) { options.data = v; }},
        {"--n", [&](const std::string& v) { options.n = wholeNumberInRange("--n", v, 2, 30); }},
        {"--beta1", [&](const std::string& v) { options.beta1 = v; }},
        {"--alfa",
         [&](const std::string& v) { options.alfa = wholeNumberInRange("--alfa", v, 1, 100); }},
        {"--model1",
         [&](const std::string& v) {
             if (v != "on" && v != "off") throw BatchUsageError{"--model1 takes on or off"};
             options.model1 = v == "on";
         }},
        {"--mca", [&](const std::string& v) { options.mca = v; }},
        {"--mcx", [&](const std::string& v) { options.mcx = v; }},
        {"--points",
         [&](const std::string& v) {
             options.points = wholeNumberInRange("--points", v, 9, 1000);
         }},
        {"--scale",
         [&](const std::string& v) {
             options.scale = wholeNumberInRange("--scale", v, 1, 100000);
         }},
        {"--constants", [&](const std::string& v) { options.constants = v; }},
        {"--factors", [&](const std::string& v) { options.factors = v; }},
        {"--gradient",
         [&](const std::string& v) {
             options.gradient = wholeNumberInRange("--gradient", v, -100, 100);
         }},
        {"--hyperbolic", [&](const std::string& v) { options.hyperbolic = v; }},
        {"--report", [&](const std::string& v) { options.report = v; }},
        {"--plot", [&](const std::string& v) { options.plot = pngFileName("--plot", v); }},
        {"--distribution",
         [&](const std::string& v) { options.distribution = pngFileName("--distribution", v); }},
        {"--decimal-separator",
         [&](const std::string& v) {
             if (v.size() != 1) throw BatchUsageError{"--decimal-separator takes one character"};
             if (!usableDecimalSeparator(v[0])) {
                 throw BatchUsageError{
                     "--decimal-separator takes a character that cannot be part of a number "
                     "(not a digit, sign, letter or blank), such as , or ., not '" +
                     v + "'"};
             }
             options.decimalSeparator = v[0];
         }},
        {"--fit", [&](const std::string& v) { options.fit = fitParameters(v); }},
        {"--fit-n", [&](const std::string& v) { options.fitN = speciesCountRange(v); }},
        {"--figure", [&](const std::string& v) { options.figures.push_back(figureRequest(v)); }},
        {"--figure-dpi",
         [&](const std::string& v) {
             options.figureDotsPerInch =
                 wholeNumber("--figure-dpi", v, "--figure-dpi takes 10 to 2400");
             if (*options.figureDotsPerInch < 10 || *options.figureDotsPerInch > 2400)
                 throw BatchUsageError{"--figure-dpi takes 10 to 2400"};
         }},
        {"--figure-width", [&](const std::string& v) { options.figureWidth = figureWidth(v); }},
        {"--figure-x",
         [&](const std::string& v) {
             options.figureOptions.x = figureScaleNamed(v);
             if (!options.figureOptions.x)
                 throw BatchUsageError{"--figure-x takes linear, log or sqrt"};
         }},
        {"--species-names",
         [&](const std::string& v) {
             std::vector<std::string> names;
             size_t from = 0;
             for (size_t comma = v.find(',');; comma = v.find(',', from)) {
                 names.push_back(
                     v.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
                 if (comma == std::string::npos) break;
                 from = comma + 1;
             }
             for (const std::string& name : names)
                 if (name.empty() || name.find_first_not_of(' ') == std::string::npos)
                     throw BatchUsageError{
                         "--species-names takes names separated by commas, such as "
                         "Ca2+,CaCl+,CaCl2, none empty"};
             options.figureOptions.speciesNames = std::move(names);
         }},
        {"--compare-solution",
         [&](const std::string& v) {
             const auto colon = v.find(':');
             const std::string model = v.substr(0, colon);
             const char* takes =
                 "--compare-solution takes ideal, debye-huckel or davies, with :A (an ion size "
                 "in Angstrom) after an ionic-strength model";
             if (model != "ideal" && model != "debye-huckel" && model != "davies")
                 throw BatchUsageError{takes};
             std::optional<std::string> ionSize;
             if (colon != std::string::npos) {
                 ionSize = v.substr(colon + 1);
                 if (model == "ideal" || ionSize->empty()) throw BatchUsageError{takes};
             }
             options.compareSolutions.emplace_back(solutionKind(model), ionSize);
         }},
        {"--figure-caption",
         [&](const std::string& v) {
             if (v != "on" && v != "off") throw BatchUsageError{"--figure-caption takes on or off"};
             options.figureCaption = v == "on";
         }},
        {"--export-csv", [&](const std::string& v) { options.exportCsv = v; }},
        {"--solution", [&](const std::string& v) { options.solution = solutionKind(v); }},
        {"--ion-size", [&](const std::string& v) { options.ionSize = v; }},
        {"--solvent", [&](const std::string& v) { options.solvent = solventName(v); }},
        {"--temperature", [&](const std::string& v) { options.temperature = v; }},
        {"--permittivity", [&](const std::string& v) { options.permittivity = v; }},
        {"--viscosity", [&](const std::string& v) { options.viscosity = v; }},
        {"--threads", [&](const std::string& v) { options.threads = threadCount(v); }},
        {"--series", [&](const std::string& v) { options.series = v; }},
        {"--series-csv", [&](const std::string& v) { options.seriesCsv = v; }},
        {"--series-report", [&](const std::string& v) { options.seriesReport = v; }},
        {"--series-figure",
         [&](const std::string& v) { options.seriesFigures.push_back(seriesFigureRequest(v)); }},
        {"--global-fit",
         [&](const std::string& v) {
             if (v != "free" && v != "walden")
                 throw BatchUsageError{"--global-fit takes free or walden"};
             options.globalFit = v == "walden";
         }},
        {"--vant-hoff-cp",
         [&](const std::string& v) {
             if (v != "on" && v != "off") throw BatchUsageError{"--vant-hoff-cp takes on or off"};
             options.vantHoffHeatCapacity = v == "on";
         }},
        {"--weights",
         [&](const std::string& v) {
             FitWeighting weighting = FitWeighting::Absolute;
             if (!parseFitWeighting(v, weighting))
                 throw BatchUsageError{"--weights takes absolute or relative"};
             options.weights = weighting;
         }},
    };
    valueOptions.merge(importOptionSetters(options.importing));
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (argument == "--version") {
            options.version = true;
            continue;
        }
        std::string name = argument;
        std::optional<std::string> value;
        if (const auto equals = argument.find('=');
            argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        const auto option = valueOptions.find(name);
        if (option == valueOptions.end())
            throw BatchUsageError{"unknown argument '" + argument + "'"};
        if (!value) {
            if (i + 1 >= arguments.size()) throw BatchUsageError{name + " needs a value"};
            value = arguments[++i];
        }
        // No option means anything by an empty value: "--model1=" is not "off", and
        // "--report=" names no file.
        if (value->empty()) throw BatchUsageError{name + " needs a value"};
        option->second(*value);
    }
    if (options.fitN && !options.fit) throw BatchUsageError{"--fit-n needs --fit LIST"};
    checkSeriesOptions(options);
    checkImportOptions(options.importing, options.data.has_value());
    checkSolventValues(options);
    checkIonicOnlyOptions(options);
    if (options.weights && !options.fit) throw BatchUsageError{"--weights needs --fit LIST"};
    checkNumberOptions(options);
    return options;
}

}  // namespace condsim
