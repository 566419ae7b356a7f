#include "batch/BatchImportOptions.h"

#include <map>

#include "batch/BatchOptions.h"
#include "files/WholeNumber.h"

namespace condsim {

namespace {

template <typename Choice>
Choice oneOf(const std::string& option, const std::string& value,
             const std::map<std::string, Choice>& choices) {
    const auto found = choices.find(value);
    if (found != choices.end()) return found->second;
    std::string names;
    for (const auto& [name, choice] : choices) names += (names.empty() ? "" : "|") + name;
    throw BatchUsageError{option + " takes " + names + ", not '" + value + "'"};
}

std::pair<int, int> columnPair(const std::string& text) {
    const auto comma = text.find(',');
    int concentration = 0;
    int conductivity = 0;
    if (comma == std::string::npos || !parseWholeNumber(text.substr(0, comma), concentration) ||
        !parseWholeNumber(text.substr(comma + 1), conductivity) || concentration < 1 ||
        conductivity < 1 || concentration == conductivity) {
        throw BatchUsageError{
            "--columns takes two different column numbers from 1, C,K, for example 1,3, not '" +
            text + "'"};
    }
    return {concentration, conductivity};
}

int lineCount(const std::string& text) {
    int count = 0;
    if (!parseWholeNumber(text, count) || count < 0) {
        throw BatchUsageError{"--skip needs a whole number of lines from 0, not '" + text + "'"};
    }
    return count;
}

}  // namespace

bool BatchImportOptions::anyGiven() const {
    return file || columns || skip || separator || decimalComma || concentration || density ||
           conductivity || writeData;
}

std::map<std::string, std::function<void(const std::string&)>> importOptionSetters(
    BatchImportOptions& options) {
    return {
        {"--import", [&options](const std::string& v) { options.file = v; }},
        {"--columns", [&options](const std::string& v) { options.columns = columnPair(v); }},
        {"--skip", [&options](const std::string& v) { options.skip = lineCount(v); }},
        {"--separator",
         [&options](const std::string& v) {
             options.separator =
                 oneOf<std::optional<ColumnSeparator>>("--separator", v,
                                                       {{"auto", std::nullopt},
                                                        {"space", ColumnSeparator::Whitespace},
                                                        {"comma", ColumnSeparator::Comma},
                                                        {"semicolon", ColumnSeparator::Semicolon},
                                                        {"tab", ColumnSeparator::Tab}});
         }},
        {"--decimal-comma",
         [&options](const std::string& v) {
             options.decimalComma = oneOf<std::optional<DecimalComma>>(
                 "--decimal-comma", v,
                 {{"auto", std::nullopt}, {"yes", DecimalComma::Yes}, {"no", DecimalComma::No}});
         }},
        {"--concentration-unit",
         [&options](const std::string& v) {
             options.concentration =
                 oneOf<ConcentrationUnit>("--concentration-unit", v,
                                          {{"mol/L", ConcentrationUnit::MolPerLitre},
                                           {"mmol/L", ConcentrationUnit::MillimolPerLitre},
                                           {"mol/kg", ConcentrationUnit::MolPerKilogram}});
         }},
        {"--density", [&options](const std::string& v) { options.density = v; }},
        {"--conductivity-unit",
         [&options](const std::string& v) {
             options.conductivity =
                 oneOf<ConductivityUnit>("--conductivity-unit", v,
                                         {{"S/cm", ConductivityUnit::SiemensPerCentimetre},
                                          {"mS/cm", ConductivityUnit::MillisiemensPerCentimetre},
                                          {"uS/cm", ConductivityUnit::MicrosiemensPerCentimetre},
                                          {"S/m", ConductivityUnit::SiemensPerMetre},
                                          {"molar", ConductivityUnit::MolarConductivity},
                                          {"equivalent", ConductivityUnit::EquivalentConductance}});
         }},
        {"--write-data", [&options](const std::string& v) { options.writeData = v; }},
    };
}

void checkImportOptions(const BatchImportOptions& options, bool dataGiven) {
    if (!options.anyGiven()) return;
    if (!options.file) throw BatchUsageError{"the options of an import need --import FILE"};
    if (dataGiven)
        throw BatchUsageError{"--import and --data both load observed data: give one of them"};
    if (!options.conductivity) {
        throw BatchUsageError{
            "--import needs --conductivity-unit S/cm|mS/cm|uS/cm|S/m|molar|equivalent"};
    }
    if (options.density && options.concentration != ConcentrationUnit::MolPerKilogram) {
        throw BatchUsageError{"--density applies to --concentration-unit mol/kg only"};
    }
}

}  // namespace condsim
