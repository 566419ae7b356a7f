#include "ui/CalculationData.h"

#include <cmath>
#include <vector>

#include "files/CsvText.h"

namespace condsim {

namespace {

std::vector<std::string> headerOf(const CalculationRecord& calculation) {
    std::vector<std::string> header{"point",
                                    "C0 / mol L-1",
                                    "sqrt(C0) / (mol L-1)^1/2",
                                    "kappa / mS cm-1",
                                    "Lambda / S cm2 mol-1",
                                    "kappa obsd / mS cm-1",
                                    "Lambda obsd / S cm2 mol-1",
                                    "residual kappa - kappa obsd / mS cm-1",
                                    "[X-] / mol L-1"};
    for (int i = 0; i <= calculation.n; ++i) header.push_back("AX" + std::to_string(i) + " / %");
    for (int i = 0; i <= calculation.n; ++i)
        header.push_back("[AX" + std::to_string(i) + "] / mol L-1");
    for (const std::string& column : calculation.solutionColumns) header.push_back(column);
    // Where the ionic balance has several roots, all of them (the first is the one used).
    if (!calculation.solutionColumns.empty()) header.emplace_back("all roots I / mol L-1");
    return header;
}

}  // namespace

std::optional<std::string> calculationCsv(const CalculationRecord& calculation) {
    if (calculation.empty()) return std::nullopt;
    const std::vector<std::string> header = headerOf(calculation);
    std::string text = csvRecord(header);

    for (const CalculatedPoint& point : calculation.points) {
        const ext c = point.concentration;
        std::vector<std::string> row{"calculated",
                                     csvNumber(c),
                                     csvNumber(std::sqrt(c)),
                                     csvNumber(point.conductivity),
                                     csvNumber(point.conductivity / c),
                                     "",
                                     "",
                                     "",
                                     csvNumber(point.freeAnion)};
        for (const ext percent : point.abundance) row.push_back(csvNumber(percent));
        for (const ext percent : point.abundance) row.push_back(csvNumber(c * percent / 100));
        for (const ext value : point.solutionValues) row.push_back(csvNumber(value));
        if (!calculation.solutionColumns.empty()) {
            std::string roots;
            for (const ext I : point.ionicStrengthRoots)
                roots += (roots.empty() ? "" : " ") + csvNumber(I);
            row.push_back(roots);
        }
        text += csvRecord(row);
    }
    for (const ObservedComparison& point : calculation.observed) {
        const ext c = point.concentration;
        std::vector<std::string> row{"observed",
                                     csvNumber(c),
                                     csvNumber(std::sqrt(c)),
                                     csvNumber(point.calculated),
                                     csvNumber(point.calculated / c),
                                     csvNumber(point.observed),
                                     csvNumber(point.observed / c),
                                     csvNumber(point.calculated - point.observed),
                                     csvNumber(point.freeAnion)};
        // The species at observed points are not part of the calculation: empty fields keep
        // every row as long as the header.
        row.resize(header.size());
        text += csvRecord(row);
    }
    return text;
}

}  // namespace condsim
