#pragma once
// The session file: the state of the windows that enters a calculation or a fit, as JSON
// that a person can read and edit. Values are kept as the texts the windows show; a
// number whose text does not read back as the value the calculation used (15 digits
// shown of an 80-bit value) carries that value too, exactly, so that reopening
// calculates the same digits. This file knows the layout of the text and refuses a text
// that does not have it; whether each value is one its window accepts is checked where
// the windows are (ui/SessionState).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Ext.h"
#include "files/SeriesFile.h"

namespace condsim {

// The layout of the session text this program writes and reads.
inline constexpr int sessionFormat = 1;
// The name proposed for a session file ends in this.
inline constexpr const char* sessionExtension = ".condsim";

// A number as a window shows it, with the value at full precision where the text does not
// read as that value.
struct SessionNumber {
    std::string text;
    std::optional<ext> exact;
    bool operator==(const SessionNumber&) const = default;
};

// The choices of File/Import Observed Data..., by the names the batch tool's options take.
struct SessionImport {
    std::string file;             // the measured data as they were read
    std::string separator;        // space, comma, semicolon or tab
    int skip = 0;                 // leading lines that are not data
    std::string decimalComma;     // auto, yes or no
    int concentrationColumn = 1;  // from 1
    int conductivityColumn = 2;
    std::string concentrationUnit;  // mol/L, mmol/L or mol/kg
    std::string density;            // kg/L, the text of the field
    std::string conductivityUnit;   // S/cm, mS/cm, uS/cm, S/m, molar or equivalent
    bool operator==(const SessionImport&) const = default;
};

struct SessionSolution {
    std::string kind = "ideal";     // ideal, debye-huckel or davies
    SessionNumber ionSize;          // Angstrom
    bool bjerrum = false;           // a is Bjerrum's distance for the first step
    std::string solvent = "water";  // a preset's name, or "other"
    SessionNumber temperature;      // K
    SessionNumber permittivity;
    SessionNumber viscosity;  // shown in mPa s; its exact value is in Pa s, as calculated
    bool operator==(const SessionSolution&) const = default;
};

struct SessionFactors {
    int gradient = 0;     // the Type 1 field
    std::string a = "1";  // the Type 2 field
    int tableRows = 0;    // rows of the factor table shown, headers included (0: none)
    std::vector<SessionNumber> values;  // sf(0), sf(1), ..., up to the last that is not 1
    bool operator==(const SessionFactors&) const = default;
};

// The Temperature Series window: its list of data sets, the fields Add takes, and the
// choice of the analysis. Its results are not kept: Run makes them again.
struct SessionSeries {
    std::vector<SeriesEntry> sets;
    std::string temperature = "298.15";  // the fields of Add
    std::string anion;
    std::string globalFit = "free";  // none, free or walden
    bool heatCapacity = false;       // a constant dCp
    bool operator==(const SessionSeries&) const = default;
};

struct Session {
    std::string version;  // of the program that wrote it

    // The observed data: the file they came from (the report names it), the pairs as the
    // observed-data table shows them, and the import's choices where they were imported.
    std::string dataFile;
    std::vector<std::array<SessionNumber, 2>> observed;
    // A session written by hand may leave the pairs out ("pairs" missing): then they are
    // read from dataFile as File/Open reads it.
    bool pairsInSession = true;
    std::optional<SessionImport> imported;

    // The main window.
    int n = 6;
    std::string beta1 = "10000";
    int alfa = 20;
    bool model1 = true;
    std::string MCA = "88";
    std::string MCX = "59";
    int points = 200;
    int scale = 300;
    std::array<std::string, 4> plotRange;                 // Edit1..Edit4
    bool constantsSet = false;                            // whether anything has set the constants
    std::vector<std::array<SessionNumber, 2>> constants;  // beta(r), K(r) for r = 1..

    SessionFactors factors;
    SessionSolution solution;

    // The Fit window's choice: a parameter list as --fit takes it, and the weighting.
    std::string fitParameters;
    std::string fitWeights = "absolute";

    // Whether the state held calculated results: opening calculates them again.
    bool calculated = false;

    // The temperature series, where the window holds one (anything but its state at
    // start-up).
    std::optional<SessionSeries> series;

    bool operator==(const Session&) const = default;
};

// The JSON text, two blanks of indent, ending in a line end.
std::string sessionText(const Session& session);
// The session in a text; fileName names the file in the messages. Throws Error naming the
// file and the key when the text is not JSON, when its format is newer than this
// program's (naming the version that wrote it), or when a key is missing or of another
// kind than this layout gives it.
Session parseSession(const std::string& text, const std::string& fileName);

Session readSessionFile(const std::string& fileName);
// Written to a temporary file that replaces fileName when complete.
void writeSessionFile(const std::string& fileName, const Session& session);

// The refusal of a session: "The session FILE cannot be opened: KEY: WHY."
[[noreturn]] void refuseSession(const std::string& fileName, const std::string& key,
                                const std::string& why);

// An extended value as an exact hexadecimal text ("0xc.8p+0"), and its parse (nothing
// when the text is not one).
std::string exactText(ext value);
std::optional<ext> exactValue(const std::string& text);

}  // namespace condsim
