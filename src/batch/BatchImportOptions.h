#pragma once
// The options of condsim-batch that import measured data in their own units, in place of
// --data: --import FILE with its layout and units, and --write-data FILE.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "files/DelimitedTable.h"
#include "files/ObservedUnits.h"

namespace condsim {

struct BatchImportOptions {
    std::optional<std::string> file;                 // --import
    std::optional<std::pair<int, int>> columns;      // --columns C,K (from 1); 1,2 when not given
    std::optional<int> skip;                         // --skip; guessed when not given
    std::optional<ColumnSeparator> separator;        // --separator; guessed when not given or auto
    std::optional<DecimalComma> decimalComma;        // --decimal-comma yes|no; auto when not given
    std::optional<ConcentrationUnit> concentration;  // --concentration-unit; mol/L when not given
    std::optional<std::string> density;              // --density, read as the dialog's field
    std::optional<ConductivityUnit> conductivity;    // --conductivity-unit; required
    std::optional<std::string> writeData;            // --write-data: the converted pairs

    bool anyGiven() const;
};

// The import's options by name, each storing its value into options. A value that an
// option cannot take throws BatchUsageError.
std::map<std::string, std::function<void(const std::string&)>> importOptionSetters(
    BatchImportOptions& options);

// The import's own usage errors once every argument was read: options of the import
// without --import, --import together with --data, no conductivity unit, a density
// without mol/kg.
void checkImportOptions(const BatchImportOptions& options, bool dataGiven);

}  // namespace condsim
