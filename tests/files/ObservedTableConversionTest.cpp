// Measured data converted to the pairs of the observed-data file: every unit against a
// value worked by hand, the layouts, quoted fields and decimal commas, the refusals with
// their exact texts, and the CaCl2 data of examples/ brought back from molality and
// equivalent conductance.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberRecords.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"
#include "files/ObservedTableConversion.h"
#include "files/TextFile.h"

namespace condsim {
namespace {

using C = ConcentrationUnit;
using K = ConductivityUnit;

ObservedImportSettings settingsOf(C concentration, K conductivity, int n = 1,
                                  ext density = waterDensityAt25C, TableLayout layout = {},
                                  int concentrationColumn = 1, int conductivityColumn = 2) {
    ObservedImportSettings settings;
    settings.layout = layout;
    settings.concentrationColumn = concentrationColumn;
    settings.conductivityColumn = conductivityColumn;
    settings.units = {concentration, density, conductivity, n};
    return settings;
}

ObservedImportSettings withDecimalComma(ObservedImportSettings settings, DecimalComma choice) {
    settings.decimalComma = choice;
    return settings;
}

ObservedImportSettings separatedBy(ColumnSeparator separator, int skippedLines = 0,
                                   DecimalComma choice = DecimalComma::Automatic) {
    return withDecimalComma(settingsOf(C::MolPerLitre, K::MillisiemensPerCentimetre, 1,
                                       waterDensityAt25C, {separator, skippedLines}),
                            choice);
}

struct ConversionCase {
    const char* name;
    std::string content;
    ObservedImportSettings settings;
    std::vector<std::string> pairTexts;  // concentration, conductivity, ... as the table shows them
};

void PrintTo(const ConversionCase& c, std::ostream* out) { *out << c.name; }

class ObservedConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ObservedConversion, GivesTheHandWorkedPairs) {
    const ConversionCase& c = GetParam();
    std::vector<std::string> texts;
    for (const ObservedPair& pair :
         convertObservedTable(c.content, "data.txt", c.settings, observedCapacity)) {
        texts.push_back(NumberText(pair.concentration));
        texts.push_back(NumberText(pair.conductivity));
    }
    EXPECT_EQ(texts, c.pairTexts);
}

// MC*M = Lambda (S cm2 mol-1) x c (mol/L), and Lambda = 1000 kappa (S/cm) / c.
INSTANTIATE_TEST_SUITE_P(
    Units, ObservedConversion,
    ::testing::Values(
        // 1000 x 1.2E-4 S/cm = 0.12
        ConversionCase{"SiemensPerCentimetre",
                       "0.001 1.2E-4\n",
                       settingsOf(C::MolPerLitre, K::SiemensPerCentimetre),
                       {"0.001", "0.12"}},
        // 2.5 mmol/L = 0.0025 mol/L; kappa in mS/cm is MC*M itself
        ConversionCase{"MillimolesAndMillisiemens",
                       "2.5 0.3\n",
                       settingsOf(C::MillimolPerLitre, K::MillisiemensPerCentimetre),
                       {"0.0025", "0.3"}},
        // 150 uS/cm = 0.15 mS/cm
        ConversionCase{"MicrosiemensPerCentimetre",
                       "0.001 150\n",
                       settingsOf(C::MolPerLitre, K::MicrosiemensPerCentimetre),
                       {"0.001", "0.15"}},
        // 0.012 S/m = 1.2E-4 S/cm
        ConversionCase{"SiemensPerMetre",
                       "0.001 0.012\n",
                       settingsOf(C::MolPerLitre, K::SiemensPerMetre),
                       {"0.001", "0.12"}},
        // 115.5 x 0.002 = 0.231
        ConversionCase{"MolarConductivity",
                       "0.002 115.5\n",
                       settingsOf(C::MolPerLitre, K::MolarConductivity),
                       {"0.002", "0.231"}},
        // the molar value times the concentration in mol/L, not in mmol/L: 120 x 0.0005
        ConversionCase{"MolarConductivityOfMillimoles",
                       "0.5 120\n",
                       settingsOf(C::MillimolPerLitre, K::MolarConductivity),
                       {"0.0005", "0.06"}},
        // 2 x 60 x 0.002 = 0.24
        ConversionCase{"EquivalentsOfADivalentCation",
                       "0.002 60\n",
                       settingsOf(C::MolPerLitre, K::EquivalentConductance, 2),
                       {"0.002", "0.24"}},
        // 3 x 40.5 x 0.001 = 0.1215
        ConversionCase{"EquivalentsOfATrivalentCation",
                       "0.001 40.5\n",
                       settingsOf(C::MolPerLitre, K::EquivalentConductance, 3),
                       {"0.001", "0.1215"}},
        // 0.01 mol/kg x 0.997047 kg/L = 0.00997047 mol/L; x 100 = 0.997047
        ConversionCase{"MolalityInWater",
                       "0.01 100\n",
                       settingsOf(C::MolPerKilogram, K::MolarConductivity),
                       {"0.00997047", "0.997047"}},
        // 0.005 x 1.2 = 0.006 mol/L; 2 x 50 x 0.006 = 0.6
        ConversionCase{"MolalityWithADensityAndEquivalents",
                       "0.005 50\n",
                       settingsOf(C::MolPerKilogram, K::EquivalentConductance, 2, 1.2L),
                       {"0.006", "0.6"}},
        // specific conductance does not depend on the concentration's unit
        ConversionCase{"MolalityAndMicrosiemens",
                       "0.01 1200\n",
                       settingsOf(C::MolPerKilogram, K::MicrosiemensPerCentimetre),
                       {"0.00997047", "1.2"}}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) {
        return std::string(info.param.name);
    });

INSTANTIATE_TEST_SUITE_P(
    Layouts, ObservedConversion,
    ::testing::Values(
        ConversionCase{"HeaderSkippedAndThirdColumnChosen",
                       "t,c,k\r\n25,0.001,0.11\r\n\r\n25,0.002,0.2\r\n",
                       settingsOf(C::MolPerLitre, K::MillisiemensPerCentimetre, 1,
                                  waterDensityAt25C, {ColumnSeparator::Comma, 1}, 2, 3),
                       {"0.001", "0.11", "0.002", "0.2"}},
        ConversionCase{"ColumnsSwappedAndEmptyRowsPassed",
                       "0.11;0.001;x\n;;\n0.2;0.002\n",
                       settingsOf(C::MolPerLitre, K::MillisiemensPerCentimetre, 1,
                                  waterDensityAt25C, {ColumnSeparator::Semicolon, 0}, 2, 1),
                       {"0.001", "0.11", "0.002", "0.2"}}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) {
        return std::string(info.param.name);
    });

INSTANTIATE_TEST_SUITE_P(
    QuotesAndDecimalCommas, ObservedConversion,
    ::testing::Values(ConversionCase{"QuotedNumbersAndHeader",
                                     "\"c, mol/L\",\"k \"\"mS/cm\"\"\"\r\n\"0.001\",\"0.11\"\r\n",
                                     separatedBy(ColumnSeparator::Comma, 1),
                                     {"0.001", "0.11"}},
                      ConversionCase{"DecimalCommasGuessedInASemicolonFile",
                                     "m;k\r\n0,001;0,11\r\n0,002;2,5E-1\r\n",
                                     separatedBy(ColumnSeparator::Semicolon, 1),
                                     {"0.001", "0.11", "0.002", "0.25"}},
                      ConversionCase{"DecimalCommasGuessedBesideWholeNumbers",
                                     "25\t\"0,001\"\t1\n",
                                     settingsOf(C::MolPerLitre, K::MillisiemensPerCentimetre, 1,
                                                waterDensityAt25C, {ColumnSeparator::Tab, 0}, 2, 3),
                                     {"0.001", "1"}},
                      ConversionCase{"DecimalCommasChosenInABlankSeparatedFile",
                                     "\"0,001\"  0,11\n",
                                     separatedBy(ColumnSeparator::Whitespace, 0, DecimalComma::Yes),
                                     {"0.001", "0.11"}}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) {
        return std::string(info.param.name);
    });

std::string pairLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "0.001 0.1\n";
    return text;
}

struct RefusalCase {
    const char* name;
    std::string content;
    ObservedImportSettings settings;
    std::string error;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class ObservedConversionRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ObservedConversionRefusal, SaysWhy) {
    const RefusalCase& c = GetParam();
    EXPECT_EQ(testing::errorText([&] {
                  convertObservedTable(c.content, "data.txt", c.settings, observedCapacity);
              }),
              c.error);
}

const ObservedImportSettings plain = settingsOf(C::MolPerLitre, K::MillisiemensPerCentimetre);

INSTANTIATE_TEST_SUITE_P(
    BadTables, ObservedConversionRefusal,
    ::testing::Values(
        RefusalCase{"HeaderNotSkipped", "conc cond\n0.001 0.11\n", plain,
                    "入力値が数値ではありません\nline 1 of data.txt: 'conc'"},
        RefusalCase{"BadValueInALaterLine", "0.001 0.11\n0.002 0.2O\n", plain,
                    "入力値が数値ではありません\nline 2 of data.txt: '0.2O'"},
        RefusalCase{"LineWithoutTheColumn", "0.001 0.11\n0.002\n", plain,
                    "line 2 of data.txt has no column 2 (it holds 1)"},
        RefusalCase{"EmptyField", "0.001,\n",
                    settingsOf(C::MolPerLitre, K::MolarConductivity, 1, waterDensityAt25C,
                               {ColumnSeparator::Comma, 0}),
                    "line 1 of data.txt: column 2 is empty"},
        RefusalCase{"NoPairs", " \r\n\r\n", plain, "data.txt holds no pairs of observed data"},
        RefusalCase{"EverythingSkipped", "0.001 0.11\n",
                    settingsOf(C::MolPerLitre, K::MolarConductivity, 1, waterDensityAt25C,
                               {ColumnSeparator::Whitespace, 1}),
                    "data.txt holds no pairs of observed data"},
        RefusalCase{"MoreThanAHundredPairs", pairLines(101), plain, tooManyObservedPairsText},
        RefusalCase{"ConvertedValueOverflows", "0.001 1E4931\n",
                    settingsOf(C::MolPerLitre, K::SiemensPerCentimetre),
                    "line 1 of data.txt: the converted value lies beyond the range of numbers"},
        RefusalCase{
            "SameColumnTwice", "0.001 0.11\n",
            settingsOf(C::MolPerLitre, K::MolarConductivity, 1, waterDensityAt25C, {}, 2, 2),
            "The concentration and the conductivity are both in column 2"},
        RefusalCase{"DensityZero", "0.001 0.11\n",
                    settingsOf(C::MolPerKilogram, K::MolarConductivity, 1, 0),
                    "The density must be above 0 kg/L, not 0"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DecimalSeparators, ObservedConversionRefusal,
    ::testing::Values(
        RefusalCase{"DecimalCommasChosenForACommaFile", "0.001,0.11\n",
                    separatedBy(ColumnSeparator::Comma, 0, DecimalComma::Yes),
                    "Decimal commas are not read in a comma-separated table: choose another "
                    "separator, or no for decimal commas"},
        RefusalCase{"QuotedDecimalCommasInACommaFile", "\"0,001\",\"0,11\"\n",
                    separatedBy(ColumnSeparator::Comma),
                    "入力値が数値ではありません\nline 1 of data.txt: '0,001'\nDecimal commas are "
                    "not read in a comma-separated table: export it with a period as the decimal "
                    "point, or with semicolons between the fields"},
        RefusalCase{"DecimalCommasAmongPeriods", "0,001;0,11\n0,002;0.2\n",
                    separatedBy(ColumnSeparator::Semicolon),
                    "入力値が数値ではありません\nline 1 of data.txt: '0,001'\nDecimal commas are "
                    "not read, as other numbers of the data take a period: write every number of "
                    "the data with the same decimal separator"},
        RefusalCase{"DecimalCommasChosenNo", "0,001;0,11\n",
                    separatedBy(ColumnSeparator::Semicolon, 0, DecimalComma::No),
                    "入力値が数値ではありません\nline 1 of data.txt: '0,001'\nDecimal commas are "
                    "not read, as no was chosen for them: choose yes or automatic"},
        RefusalCase{"PeriodAmongDecimalCommasChosen", "0,001;0,11\n0,002;0.2\n",
                    separatedBy(ColumnSeparator::Semicolon, 0, DecimalComma::Yes),
                    "入力値が数値ではありません\nline 2 of data.txt: '0.2'\nWith decimal commas a "
                    "period is not read, as it may separate thousands: write every number of the "
                    "data with a decimal comma, or choose no for decimal commas"},
        RefusalCase{"QuotedFieldOverTheLineEnd", "0.001,\"0.11\n\"\n",
                    separatedBy(ColumnSeparator::Comma),
                    "line 1 of data.txt: a quoted field goes on over the line end; fields that "
                    "span lines are not read: skip the line, or remove the line break inside the "
                    "quotes"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

class DecimalCommaExactness : public ::testing::TestWithParam<const char*> {};

// A number with a decimal comma gives the bits of its period form, read alone and through
// the whole conversion (molality and molar conductivity, so that both values are
// multiplied).
TEST_P(DecimalCommaExactness, GivesTheBitsOfThePeriodForm) {
    const std::string withComma = GetParam();
    std::string withPoint = withComma;
    withPoint[withPoint.find(',')] = '.';
    ext fromComma = 0;
    ext fromPoint = 0;
    ASSERT_TRUE(parseFieldNumber(withComma, true, fromComma));
    ASSERT_TRUE(parseFieldNumber(withPoint, false, fromPoint));
    EXPECT_EQ(fromComma, fromPoint);

    const auto convert = [](const std::string& value, DecimalComma choice) {
        return convertObservedTable(
            "m;L\n" + value + ";" + value + "\n", "data.txt",
            withDecimalComma(settingsOf(C::MolPerKilogram, K::MolarConductivity, 1, 1.0123L,
                                        {ColumnSeparator::Semicolon, 1}),
                             choice),
            observedCapacity);
    };
    const auto commaPairs = convert(withComma, DecimalComma::Automatic);
    const auto pointPairs = convert(withPoint, DecimalComma::Automatic);
    ASSERT_EQ(commaPairs.size(), 1u);
    ASSERT_EQ(pointPairs.size(), 1u);
    EXPECT_EQ(commaPairs[0].concentration, pointPairs[0].concentration);
    EXPECT_EQ(commaPairs[0].conductivity, pointPairs[0].conductivity);
    EXPECT_EQ(convert(withComma, DecimalComma::Yes)[0].conductivity, pointPairs[0].conductivity);
}

INSTANTIATE_TEST_SUITE_P(Files, DecimalCommaExactness,
                         ::testing::Values("0,001", "1,2345678901234567890123456789", "3,3E-5",
                                           "7,000000000000000000001e+2", "123456789,987654321",
                                           ",5"));

TEST(ObservedConversion, AHundredPairsFit) {
    EXPECT_EQ(convertObservedTable(pairLines(100), "data.txt", plain, observedCapacity).size(),
              100u);
}

// The CaCl2 data of examples/ were turned into molality and equivalent conductance by an
// independent script (scripts/make-import-example); the import gives them back.
TEST(ObservedConversion, CalciumChlorideFromMolalityAndEquivalentConductanceRoundTrips) {
    const std::string molal =
        readTextFile(testing::exampleFile("cacl2-25C-water-dilute-molal.csv"));
    const TableLayout layout = guessTableLayout(textLines(molal));
    EXPECT_EQ(layout.separator, ColumnSeparator::Comma);
    EXPECT_EQ(layout.skippedLines, 1);
    const auto pairs = convertObservedTable(
        molal, "molal.csv",
        settingsOf(C::MolPerKilogram, K::EquivalentConductance, 2, waterDensityAt25C, layout, 2, 3),
        observedCapacity);
    const NumberRecords given = ReadNumberRecords(
        testing::exampleFile("cacl2-25C-water-dilute.txt"), 2, observedCapacity, "too many");
    ASSERT_EQ(given.count(), 12);
    ASSERT_EQ(pairs.size(), 12u);
    for (int i = 0; i < given.count(); ++i) {
        const auto index = static_cast<size_t>(i);
        EXPECT_LE(std::fabs(pairs[index].concentration / given.value(i, 0) - 1), 1e-12L)
            << "pair " << i + 1;
        EXPECT_LE(std::fabs(pairs[index].conductivity / given.value(i, 1) - 1), 1e-12L)
            << "pair " << i + 1;
    }
}

TEST(ObservedConversion, WrittenFileHoldsThePairsWithPeriodsWhateverTheSeparator) {
    setDecimalSeparator(',');
    const std::string text = observedDataFileText({{0.001L, 0.12L}, {1.5E-5L, 2}});
    setDecimalSeparator('.');
    EXPECT_EQ(text, "0.001\t0.12\r\n1.5E-5\t2\r\n");

    // File/Open reads back exactly the pairs that were written.
    const auto pairs = convertObservedTable("1 0.1234567890123456789\n3.3E-5 7\n", "data.txt",
                                            plain, observedCapacity);
    testing::TemporaryDirectory directory;
    const NumberRecords read = ReadNumberRecords(
        directory.write("saved.txt", observedDataFileText(pairs)), 2, observedCapacity, "too many");
    ASSERT_EQ(read.count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(read.value(i, 0), pairs[static_cast<size_t>(i)].concentration);
        EXPECT_EQ(read.value(i, 1), pairs[static_cast<size_t>(i)].conductivity);
    }
}

}  // namespace
}  // namespace condsim
