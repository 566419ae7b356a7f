#include "ui/BatchCommand.h"

#include <cstdio>
#include <filesystem>

#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "model/CumulativeConstants.h"
#include "ui/SessionState.h"

namespace condsim {

namespace {

// Enough significant digits to give back every bit of an 80-bit value.
std::string everyDigit(ext value, char separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

// The window's text where it reads as the value, otherwise every digit of the value.
std::string textOf(ext value) {
    const std::string shown = NumberText(value);
    const auto read = numberOrNothing(shown);
    return read && *read == value ? shown : everyDigit(value, decimalSeparator());
}

// Whether the constants table is what Initialize makes from the fields in a program that
// has just started (constants beyond K1 are 0 there until Model #1 makes them).
bool constantsFollowTheFields(const TForm1& form, const ProcessState& state) {
    if (!state.constantsSet) return true;
    const int n = form.n();
    if (form.StringGrid2.rowCount() - 1 != n) return false;
    const auto K1 = numberOrNothing(form.beta1.text());
    if (!K1) return false;
    SpeciesArray K{};
    SpeciesArray beta{};
    K[1] = *K1;
    if (form.CheckBox1.checked()) generateByModel1(n, toExt(form.SpinEdit2.value()), K);
    formCumulativeConstants(n, K, beta);
    for (int r = 1; r <= n; ++r) {
        if (K[r] != state.model.K[r] || beta[r] != state.model.beta[r]) return false;
        if (form.StringGrid2.cell(0, r) != NumberText(beta[r]) ||
            form.StringGrid2.cell(1, r) != NumberText(K[r]))
            return false;
    }
    return true;
}

// A file beside the observed data (in the current folder without them) for the content:
// DATA_constants.txt, or DATA_constants-2.txt and on where a file of that name holds
// something else, so that no file of the user's is replaced.
std::string besideTheData(const ProcessState& state, const std::string& kind,
                          const std::string& content) {
    std::filesystem::path data(state.observed.fileName);
    if (data.empty()) data = std::filesystem::current_path() / "condsim";
    data.replace_extension();
    for (int number = 1;; ++number) {
        std::string name =
            data.string() + "_" + kind + (number == 1 ? "" : "-" + std::to_string(number)) + ".txt";
        std::error_code ignored;
        if (!std::filesystem::exists(name, ignored)) return name;
        try {
            if (readTextFile(name) == content) return name;
        } catch (const Error&) {
            // Unreadable: another name.
        }
    }
}

}  // namespace

BatchCommand batchCommandOf(const Application& app) {
    const ProcessState& state = app.state;
    const TForm1& form = app.Form1;
    BatchCommand command;
    auto& a = command.arguments;
    const auto add = [&a](std::initializer_list<std::string> items) {
        a.insert(a.end(), items.begin(), items.end());
    };
    if (decimalSeparator() != '.') add({"--decimal-separator", std::string(1, decimalSeparator())});
    if (state.observedImport) {
        const SessionImport& i = *state.observedImport;
        add({"--import", i.file, "--columns",
             std::to_string(i.concentrationColumn) + "," + std::to_string(i.conductivityColumn),
             "--skip", std::to_string(i.skip), "--separator", i.separator, "--decimal-comma",
             i.decimalComma, "--concentration-unit", i.concentrationUnit});
        if (i.concentrationUnit == "mol/kg") add({"--density", i.density});
        add({"--conductivity-unit", i.conductivityUnit});
    } else if (!state.observed.fileName.empty()) {
        add({"--data", state.observed.fileName});
    }
    add({"--n", std::to_string(form.n()), "--beta1", form.beta1.text(), "--alfa",
         std::to_string(form.SpinEdit2.value()), "--model1",
         form.CheckBox1.checked() ? "on" : "off", "--mca", form.MCA.text(), "--mcx",
         form.MCX.text(), "--points", std::to_string(form.SpinEdit3.value()), "--scale",
         std::to_string(form.SpinEdit4.value())});

    if (!constantsFollowTheFields(form, state)) {
        std::string content;
        const int rows = std::min(form.StringGrid2.rowCount() - 1, speciesCapacity - 1);
        for (int r = 1; r <= rows; ++r) content += everyDigit(state.model.K[r], '.') + "\r\n";
        const std::string file = besideTheData(state, "constants", content);
        command.files.emplace_back(file, content);
        add({"--constants", file});
    }
    bool factorsOfOne = true;
    for (const ext factor : state.factors.sf) factorsOfOne = factorsOfOne && factor == 1;
    if (!factorsOfOne) {
        // The charged species AX0..AX(n-1): one factor each, as the calculation reads them.
        std::string content;
        for (int i = 0; i < form.n(); ++i) content += everyDigit(state.factors.sf[i], '.') + "\r\n";
        const std::string file = besideTheData(state, "factors", content);
        command.files.emplace_back(file, content);
        add({"--factors", file});
    }

    const SolutionModel& model = state.solution;
    if (model.kind != SolutionModelKind::Ideal) {
        add({"--solution", model.kind == SolutionModelKind::Davies ? "davies" : "debye-huckel",
             "--ion-size", model.bjerrumIonSize ? std::string("bjerrum") : textOf(model.ionSize)});
        const Solvent& solvent = model.solvent;
        bool preset = false;
        for (const Solvent& p : solventPresets()) {
            preset = preset ||
                     (p.name == solvent.name && p.temperature == solvent.temperature &&
                      p.permittivity == solvent.permittivity && p.viscosity == solvent.viscosity);
        }
        if (preset) {
            add({"--solvent", solvent.name});
        } else {
            add({"--temperature", textOf(solvent.temperature), "--permittivity",
                 textOf(solvent.permittivity), "--viscosity", textOf(solvent.viscosity * 1000)});
        }
    }
    return command;
}

std::string shellQuoted(const std::string& argument) {
    const bool plain =
        !argument.empty() && argument.find_first_not_of(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                 "0123456789_./:=,+-@%") == std::string::npos;
    if (plain) return argument;
    std::string quoted = "'";
    for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string commandLineText(const BatchCommand& command) {
    std::string line = "condsim-batch";
    for (const std::string& argument : command.arguments) line += " " + shellQuoted(argument);
    return line;
}

std::string copyAsCommand(const Application& app) {
    const BatchCommand command = batchCommandOf(app);
    for (const auto& [name, content] : command.files) writeTextFileAtomically(name, content);
    return commandLineText(command);
}

}  // namespace condsim
