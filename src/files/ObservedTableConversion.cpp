#include "files/ObservedTableConversion.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/Error.h"
#include "files/FileValueReader.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"
#include "files/ObservedValueCheck.h"
#include "files/Utf16Text.h"

namespace condsim {

namespace {

std::string lineOfFile(size_t lineIndex, const std::string& fileName) {
    return "line " + std::to_string(lineIndex + 1) + " of " + fileName;
}

// "0,11" reads as 0.11 with a period: the value is a number with a decimal comma.
bool hasDecimalComma(std::string_view token) {
    ext ignored = 0;
    return token.find(',') != std::string_view::npos && parseFieldNumber(token, true, ignored);
}

// Why a value that is not a number was not read, and what to do, when a decimal
// separator is the cause; empty otherwise.
std::string decimalSeparatorHint(std::string_view token, bool decimalCommas,
                                 const ObservedImportSettings& settings) {
    ext ignored = 0;
    if (decimalCommas) {
        if (!parseFieldNumber(token, false, ignored)) return {};
        return "With decimal commas a period is not read, as it may separate thousands: write "
               "every number of the data with a decimal comma, or choose no for decimal commas";
    }
    if (!hasDecimalComma(token)) return {};
    if (settings.layout.separator == ColumnSeparator::Comma) {
        return "Decimal commas are not read in a comma-separated table: export it with a period "
               "as the decimal point, or with semicolons between the fields";
    }
    if (settings.decimalComma == DecimalComma::No) {
        return "Decimal commas are not read, as no was chosen for them: choose yes or automatic";
    }
    return "Decimal commas are not read, as other numbers of the data take a period: write "
           "every number of the data with the same decimal separator";
}

struct FieldReading {
    bool decimalCommas = false;
    const ObservedImportSettings& settings;
    const std::string& fileName;
};

ext fieldValue(const std::vector<std::string>& fields, int column, size_t lineIndex,
               const FieldReading& reading) {
    const std::string& fileName = reading.fileName;
    if (static_cast<size_t>(column) > fields.size()) {
        throw Error(lineOfFile(lineIndex, fileName) + " has no column " + std::to_string(column) +
                    " (it holds " + std::to_string(fields.size()) + ")");
    }
    const std::string& token = fields[static_cast<size_t>(column) - 1];
    if (token.empty()) {
        throw Error(lineOfFile(lineIndex, fileName) + ": column " + std::to_string(column) +
                    " is empty");
    }
    ext value = 0;
    if (!parseFieldNumber(token, reading.decimalCommas, value)) {
        std::string text = ioErrorText(io_code::InvalidNumericInput) + "\n" +
                           lineOfFile(lineIndex, fileName) + ": '" + token + "'";
        const std::string hint =
            decimalSeparatorHint(token, reading.decimalCommas, reading.settings);
        if (!hint.empty()) text += "\n" + hint;
        throw Error(text);
    }
    return value;
}

// The value as the designed file holds it: its 15-digit text, read as File/Open reads it.
ext asWrittenAndRead(ext value, size_t lineIndex, const std::string& fileName) {
    ext read = 0;
    if (std::fabs(value) > LDBL_MAX || !parseFileToken(NumberText(value, '.'), read)) {
        throw Error(lineOfFile(lineIndex, fileName) +
                    ": the converted value lies beyond the range of numbers");
    }
    return read;
}

void checkSettings(const ObservedImportSettings& settings) {
    if (settings.concentrationColumn < 1 || settings.conductivityColumn < 1) {
        throw Error("Columns are numbered from 1");
    }
    if (settings.concentrationColumn == settings.conductivityColumn) {
        throw Error("The concentration and the conductivity are both in column " +
                    std::to_string(settings.concentrationColumn));
    }
    const ext density = settings.units.density;
    if (settings.units.concentration == ConcentrationUnit::MolPerKilogram &&
        !(density > 0 && density <= LDBL_MAX)) {
        throw Error("The density must be above 0 kg/L, not " + NumberText(density));
    }
    if (settings.decimalComma == DecimalComma::Yes &&
        settings.layout.separator == ColumnSeparator::Comma) {
        throw Error(
            "Decimal commas are not read in a comma-separated table: choose another separator, or "
            "no for decimal commas");
    }
}

bool decimalCommasInEffect(const std::vector<std::string_view>& lines,
                           const ObservedImportSettings& settings) {
    switch (settings.decimalComma) {
        case DecimalComma::Yes:
            return true;
        case DecimalComma::No:
            return false;
        case DecimalComma::Automatic:
            break;
    }
    return decimalCommasGuessed(lines, settings.layout);
}

}  // namespace

bool decimalCommasInEffect(std::string_view content, const ObservedImportSettings& settings) {
    return decimalCommasInEffect(textLines(content), settings);
}

std::vector<ObservedPair> convertObservedTable(std::string_view content,
                                               const std::string& fileName,
                                               const ObservedImportSettings& settings,
                                               int capacity) {
    checkSettings(settings);
    refuseUtf16Text(content, fileName);
    const auto lines = textLines(content);
    const FieldReading reading{decimalCommasInEffect(lines, settings), settings, fileName};
    ObservedValueCheck check(fileName);
    const ColumnSeparator separator = settings.layout.separator;
    std::vector<ObservedPair> pairs;
    for (size_t i = static_cast<size_t>(std::max(settings.layout.skippedLines, 0));
         i < lines.size(); ++i) {
        if (isEmptyRow(lines[i], separator)) continue;
        if (static_cast<int>(pairs.size()) == capacity) throw Error(tooManyObservedPairsText);
        if (quoteLeftOpen(lines[i], separator)) {
            throw Error(lineOfFile(i, fileName) +
                        ": a quoted field goes on over the line end; fields that span lines are "
                        "not read: skip the line, or remove the line break inside the quotes");
        }
        const auto fields = lineFields(lines[i], separator);
        const ext given = fieldValue(fields, settings.concentrationColumn, i, reading);
        const ext measured = fieldValue(fields, settings.conductivityColumn, i, reading);
        const ext concentration = concentrationInMolPerLitre(given, settings.units);
        const ext conductivity =
            conductivityTimesConcentration(measured, concentration, settings.units);
        pairs.push_back({asWrittenAndRead(concentration, i, fileName),
                         asWrittenAndRead(conductivity, i, fileName)});
        check.add(pairs.back().concentration, pairs.back().conductivity, static_cast<int>(i) + 1);
    }
    if (pairs.empty()) throw Error(fileName + " holds no pairs of observed data");
    check.finish();
    return pairs;
}

std::string observedDataFileText(const std::vector<ObservedPair>& pairs) {
    std::string text;
    for (const ObservedPair& pair : pairs) {
        text += NumberText(pair.concentration, '.') + '\t' + NumberText(pair.conductivity, '.') +
                "\r\n";
    }
    return text;
}

}  // namespace condsim
