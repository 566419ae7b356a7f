#include "files/ResultsReport.h"

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"

namespace condsim {

namespace {

const std::string tab = "\t";
const std::string lineEnd = "\r\n";
const std::string rule61(61, '-');
const std::string rule69(69, '-');
const std::string rule56(56, '-');

const char* const reportSuffix = "_results.txt";
// The default name drops the data file's extension: its last four characters.
constexpr int droppedCharacters = 4;

class ReportText {
  public:
    void line(const std::string& text = {}) {
        text_ += text;
        text_ += lineEnd;
    }
    void emptyLines(int count) {
        for (int i = 0; i < count; ++i) line();
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

void writeObservedTable(ReportText& report, const CellTable& observed) {
    report.line(
        "Table 1. Row data + the X- concentrations determined + molar conductance vs. sqrt(conc)");
    report.line();
    report.line(rule61);
    report.line("conc(M)\tConductivity()\t[Anion X-] (M)\tSqrt(conc) (M^0.5)\tMolarCond");
    report.line(rule61);
    for (int r = 1; r <= observed.rowCount() - 1; ++r) {
        const std::string& concentration = observed.cell(0, r);
        const std::string& conductivity = observed.cell(1, r);
        // The quotient first, then the root: the order decides which error a bad row raises.
        const ext conductivityValue = number(conductivity);
        const ext concentrationValue = number(concentration);
        const ext molar = div(conductivityValue, concentrationValue);
        const ext root = squareRoot(number(concentration));
        report.line(concentration + tab + conductivity + tab + observed.cell(2, r) + tab +
                    NumberText(root) + tab + NumberText(molar));
    }
    report.emptyLines(2);
}

void writeParameters(ReportText& report, const ReportSources& sources) {
    report.line("Table 2. beta and setwise k valuse used in the calculations");
    report.line(rule61);
    report.line("beta1 = K1 = " + sources.beta1);
    if (sources.fixedRatioModel) {
        report.line("The model #1, Kn/Kn+1 = " + integerText(sources.alfa) +
                    "% (e.g., ca. 10-90 %) is used.");
    } else {
        report.line("The beta and Kn values are imported from a file or generated manually");
    }
    report.line();
    report.line("The common value for the molar conductances of RuMV over Z was supposed as: " +
                sources.cationConductivity + " [mScm2mol-1]");
    report.line();
    report.line("The molar conductance for the PF6- anion was supposed as: " +
                sources.anionConductivity + " [mScm2mol-1]");
    report.line();
    report.line("The system used: AX" + integerText(sources.n));
    report.line(rule69);
    report.emptyLines(3);
}

void writeConstants(ReportText& report, const CellTable& constants) {
    report.line("Table 3. Beta(n) and Kn values used in the calculations");
    report.line(rule56);
    report.line("Beta(n) values          Kn values");
    report.line(rule56);
    for (int r = 1; r <= constants.rowCount() - 1; ++r) {
        const std::string index = integerText(r);
        report.line("Beta(" + index + ") = " + tab + constants.cell(0, r) + tab + "K" + index +
                    " = " + tab + constants.cell(1, r));
    }
    report.line(rule56);
    report.emptyLines(3);
}

void writeCalculatedTable(ReportText& report, const CellTable& calculated, int n) {
    report.line("Table 4. Calculated Data");
    report.line(rule56);
    std::string header = "conc(M)\tconduct()\tsqrt(conc)\tMolarConduct.\t";
    for (int i = 0; i <= n - 1; ++i) header += "AX" + integerText(i) + tab;
    report.line(header + "AX" + integerText(n));
    report.line(rule56);
    const int lastColumn = calculated.columnCount() - 1;
    for (int r = 1; r <= calculated.rowCount() - 1; ++r) {
        // Here the root comes before the quotient.
        std::string line = calculated.cell(0, r) + tab + calculated.cell(1, r) + tab;
        line += NumberText(squareRoot(number(calculated.cell(0, r)))) + tab;
        const ext conductivityValue = number(calculated.cell(1, r));
        const ext concentrationValue = number(calculated.cell(0, r));
        line += NumberText(div(conductivityValue, concentrationValue)) + tab;
        for (int c = 2; c <= lastColumn - 1; ++c) line += calculated.cell(c, r) + tab;
        report.line(line + calculated.cell(lastColumn, r));
    }
    report.line(rule56);
    report.emptyLines(3);
}

void writeSolutionModel(ReportText& report, const SolutionModelSection& section) {
    report.line("Table 5. Solution model");
    report.line(rule56);
    for (const std::string& line : section.lines) report.line(line);
    report.line(rule56);
    report.line("conc(M)\tI (M)\tgamma(X-)");
    report.line(rule56);
    const CellTable& points = section.points;
    for (int r = 1; r <= points.rowCount() - 1; ++r) {
        report.line(points.cell(0, r) + tab + points.cell(1, r) + tab + points.cell(2, r));
    }
    report.line(rule56);
    report.emptyLines(3);
}

}  // namespace

std::string ResultsReport(const ReportSources& sources) {
    ReportText report;
    report.line("This file involves the data analaysis for " + sources.dataFileName);
    report.line();
    writeObservedTable(report, sources.observed);
    writeParameters(report, sources);
    writeConstants(report, sources.constants);
    writeCalculatedTable(report, sources.calculated, sources.n);
    if (sources.solution != nullptr) writeSolutionModel(report, *sources.solution);
    return report.text();
}

std::string DefaultReportName(const std::string& dataFileName) {
    size_t end = dataFileName.size();
    for (int dropped = 0; dropped < droppedCharacters && end > 0; ++dropped) {
        --end;
        // Step back over UTF-8 continuation bytes to the start of the character.
        while (end > 0 && (static_cast<unsigned char>(dataFileName[end]) & 0xC0) == 0x80) --end;
    }
    return dataFileName.substr(0, end) + reportSuffix;
}

}  // namespace condsim
