#include <gtest/gtest.h>

#include "batch/BatchOptions.h"

namespace condsim {
namespace {

TEST(BatchOptions, EveryOptionTakesItsValueInEitherForm) {
    const auto options = parseBatchOptions({"--data",
                                            "obs.txt",
                                            "--n=4",
                                            "--beta1",
                                            "1e4",
                                            "--alfa",
                                            "30",
                                            "--model1",
                                            "off",
                                            "--mca",
                                            "88,5",
                                            "--mcx=59",
                                            "--points",
                                            "50",
                                            "--scale",
                                            "1000",
                                            "--constants",
                                            "k.txt",
                                            "--factors",
                                            "f.txt",
                                            "--gradient",
                                            "-20",
                                            "--hyperbolic",
                                            "2",
                                            "--report",
                                            "r.txt",
                                            "--plot",
                                            "c.png",
                                            "--distribution",
                                            "d.png",
                                            "--decimal-separator",
                                            ",",
                                            "--threads",
                                            "3"});
    EXPECT_EQ(*options.data, "obs.txt");
    EXPECT_EQ(*options.n, 4);
    EXPECT_EQ(*options.beta1, "1e4");
    EXPECT_EQ(*options.alfa, 30);
    EXPECT_FALSE(*options.model1);
    EXPECT_EQ(*options.mca, "88,5");
    EXPECT_EQ(*options.mcx, "59");
    EXPECT_EQ(*options.points, 50);
    EXPECT_EQ(*options.scale, 1000);
    EXPECT_EQ(*options.constants, "k.txt");
    EXPECT_EQ(*options.factors, "f.txt");
    EXPECT_EQ(*options.gradient, -20);
    EXPECT_EQ(*options.hyperbolic, "2");
    EXPECT_EQ(*options.report, "r.txt");
    EXPECT_EQ(*options.plot, "c.png");
    EXPECT_EQ(*options.distribution, "d.png");
    EXPECT_EQ(*options.decimalSeparator, ',');
    EXPECT_EQ(*options.threads, 3);
    EXPECT_FALSE(parseBatchOptions({}).threads) << "the default is one thread per core";
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(parseBatchOptions({"--help"}).help);
}

// The usage error of the arguments, or "accepted".
std::string reason(const std::vector<std::string>& arguments) {
    try {
        parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        return error.reason;
    }
    return "accepted";
}

struct UsageCase {
    std::vector<std::string> arguments;
    std::string reason;
};

void expectReasons(const std::vector<UsageCase>& cases) {
    for (const UsageCase& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        EXPECT_EQ(reason(c.arguments), c.reason) << shown;
    }
}

TEST(BatchOptions, UsageErrorsNameTheProblem) {
    EXPECT_EQ(reason({"--n", "six"}), "--n needs a whole number, not 'six'");
    EXPECT_EQ(reason({"--points", "1.5"}), "--points needs a whole number, not '1.5'");
    EXPECT_EQ(reason({"--report"}), "--report needs a value");
    EXPECT_EQ(reason({"--model1", "yes"}), "--model1 takes on or off");
    EXPECT_EQ(reason({"--decimal-separator", ".."}), "--decimal-separator takes one character");
    EXPECT_EQ(reason({"--frobnicate"}), "unknown argument '--frobnicate'");
    EXPECT_EQ(reason({"data.txt"}), "unknown argument 'data.txt'");
    EXPECT_EQ(reason({"--threads", "0"}),
              "--threads must be a whole number of at least 1, not '0'");
    EXPECT_EQ(reason({"--threads", "-2"}),
              "--threads must be a whole number of at least 1, not '-2'");
    EXPECT_EQ(reason({"--threads", "two"}), "--threads needs a whole number, not 'two'");
    EXPECT_EQ(reason({"--threads"}), "--threads needs a value");

    // An empty value means nothing, in either form: "--model1=" is not "off".
    for (const std::string option : {"--data",
                                     "--n",
                                     "--beta1",
                                     "--alfa",
                                     "--model1",
                                     "--mca",
                                     "--mcx",
                                     "--points",
                                     "--scale",
                                     "--constants",
                                     "--factors",
                                     "--gradient",
                                     "--hyperbolic",
                                     "--report",
                                     "--plot",
                                     "--distribution",
                                     "--decimal-separator",
                                     "--fit",
                                     "--fit-n",
                                     "--figure",
                                     "--figure-dpi",
                                     "--figure-width",
                                     "--export-csv",
                                     "--solution",
                                     "--ion-size",
                                     "--solvent",
                                     "--temperature",
                                     "--permittivity",
                                     "--viscosity",
                                     "--weights",
                                     "--import",
                                     "--columns",
                                     "--skip",
                                     "--separator",
                                     "--decimal-comma",
                                     "--concentration-unit",
                                     "--density",
                                     "--conductivity-unit",
                                     "--write-data",
                                     "--threads"}) {
        EXPECT_EQ(reason({option + "="}), option + " needs a value");
        EXPECT_EQ(reason({option, ""}), option + " needs a value");
    }
}

// A figure or picture whose format the file name does not give is refused while the options
// are read, before any calculation or report.
TEST(BatchOptions, OutputFormatsAreCheckedBeforeAnythingRuns) {
    expectReasons({
        {{"--figure", "molar:f.jpg"},
         "--figure writes SVG, PDF or PNG: the file name must end in .svg, .pdf or .png, not "
         "'f.jpg'"},
        {{"--figure", "molar:figure"},
         "--figure writes SVG, PDF or PNG: the file name must end in .svg, .pdf or .png, not "
         "'figure'"},
        {{"--figure", "molar:svg.d/f"},
         "--figure writes SVG, PDF or PNG: the file name must end in .svg, .pdf or .png, not "
         "'svg.d/f'"},
        {{"--figure", "molar:F.PDF", "--figure=residuals:r.Svg", "--figure", "distribution:d.png"},
         "accepted"},
        {{"--plot", "p.svg"},
         "--plot writes a PNG picture: the file name must end in .png, not 'p.svg'"},
        {{"--distribution", "d.jpeg"},
         "--distribution writes a PNG picture: the file name must end in .png, not 'd.jpeg'"},
        {{"--plot", "p.PNG", "--distribution", "out/d.png"}, "accepted"},
        {{"--plot", "/dev/stdout", "--distribution", "picture"}, "accepted"},
    });
}

// A value that a field would refuse as not a number is a usage error that keeps the
// program's own line and names the option, the value and what it takes.
TEST(BatchOptions, ANumberOptionThatIsNotANumberNamesTheOption) {
    const std::vector<std::string> davies = {"--solution", "davies"};
    const auto with = [](std::vector<std::string> first, const std::vector<std::string>& more) {
        first.insert(first.end(), more.begin(), more.end());
        return first;
    };
    const std::string commaHint =
        "\nDecimal commas are not read: option values take a period as the decimal point, "
        "unless --decimal-separator , is given";
    expectReasons({
        {{"--mca", "NaN"},
         "'NaN' は浮動小数点数ではありません.\n--mca takes lambda(A/z) in S cm2 mol-1 as a "
         "number, for example 59.5, not 'NaN'"},
        {{"--mcx", "7 6"},
         "'7 6' は浮動小数点数ではありません.\n--mcx takes lambda(X-) in S cm2 mol-1 as a number, "
         "for example 76.3, not '7 6'"},
        {{"--hyperbolic", "1,5"},
         "'1,5' は浮動小数点数ではありません.\n--hyperbolic takes the parameter a as a number, for "
         "example 2.5, not '1,5'" +
             commaHint},
        {{"--beta1", "1e4x"},
         "'1e4x' は浮動小数点数ではありません.\n--beta1 takes K1 as a number, for example 1e4, not "
         "'1e4x'"},
        {with(davies, {"--ion-size", "abc"}),
         "'abc' は浮動小数点数ではありません.\n--ion-size takes the ion size in Angstrom as a "
         "number, for example 4.5, or bjerrum, not 'abc'"},
        {with(davies, {"--temperature", "NaN", "--permittivity", "35.9", "--viscosity", "0.341"}),
         "'NaN' は浮動小数点数ではありません.\n--temperature takes the temperature in K as a "
         "number, for example 298.15, not 'NaN'"},
        {with(davies, {"--temperature", "298", "--permittivity", "35,9", "--viscosity", "0.341"}),
         "'35,9' は浮動小数点数ではありません.\n--permittivity takes the relative permittivity as "
         "a "
         "number, for example 35.9, not '35,9'" +
             commaHint},
        {{"--import", "m.csv", "--conductivity-unit", "molar", "--concentration-unit", "mol/kg",
          "--density", "NaN"},
         "'NaN' は浮動小数点数ではありません.\n--density takes the density in kg/L as a number, "
         "for example 0.997, not 'NaN'"},
        // The separator of the run decides: a comma is then right and a period is not.
        {{"--decimal-separator", ",", "--hyperbolic", "1,5", "--mca", "59,5"}, "accepted"},
        {{"--mca", "59.5", "--decimal-separator", ","},
         "'59.5' は浮動小数点数ではありません.\n--mca takes lambda(A/z) in S cm2 mol-1 as a "
         "number, for example 59,5, not '59.5'\nDecimal points are not read: option values "
         "take ',' as the decimal separator (the locale's), unless --decimal-separator . is "
         "given"},
        {{"--decimal-separator", ".", "--mca", "59.5", "--beta1", " 1E4 "}, "accepted"},
    });
}

// Texts that said something else than what happened: too large, not more than 0, beyond
// the range of numbers.
TEST(BatchOptions, ReasonsSayWhatIsWrongWithTheValue) {
    expectReasons({
        {{"--threads", "99999999999"},
         "--threads: '99999999999' is too large for a number of threads (at most 2147483647; "
         "more threads than points gain nothing)"},
        {{"--n", "2147483648"}, "--n must be a whole number from 2 to 30"},
        {{"--figure-dpi", "-99999999999"}, "--figure-dpi takes 10 to 2400"},
        {{"--threads", "1.5"}, "--threads needs a whole number, not '1.5'"},
        {{"--figure-width", "0"},
         "--figure-width takes a width in centimetres, more than 0 and at most 100, not '0': a "
         "width must be more than 0"},
        {{"--figure-width", "-3"},
         "--figure-width takes a width in centimetres, more than 0 and at most 100, not '-3': a "
         "width must be more than 0"},
        {{"--figure-width", "101"},
         "--figure-width takes a width in centimetres, more than 0 and at most 100, not '101': a "
         "width is at most 100 cm"},
        {{"--figure-width", "1e-5000"},
         "--figure-width takes a width in centimetres, more than 0 and at most 100, not "
         "'1e-5000': the value is beyond the range of numbers"},
        {{"--figure-width", "100"}, "accepted"},
        {{"--mca", "1e-5000"},
         "'1e-5000' は浮動小数点数ではありません.\n--mca takes lambda(A/z) in S cm2 mol-1 as a "
         "number, for example 59.5, not '1e-5000'\nThe value is beyond the range of numbers "
         "(about 1e-4951 to 1e+4932 in size)"},
        {{"--beta1", "-1e99999"},
         "'-1e99999' は浮動小数点数ではありません.\n--beta1 takes K1 as a number, for example 1e4, "
         "not '-1e99999'\nThe value is beyond the range of numbers (about 1e-4951 to 1e+4932 in "
         "size)"},
    });
}

// Options that a run would ignore are refused, not silently dropped.
TEST(BatchOptions, OptionsThatWouldDoNothingAreUsageErrors) {
    const std::string ionicOnly =
        " applies to the ionic-strength models only (--solution debye-huckel or davies); the "
        "ideal model does not use it";
    const std::string separatorReason =
        "--decimal-separator takes a character that cannot be part of a number (not a digit, "
        "sign, letter or blank), such as , or ., not '";
    const std::vector<std::string> otherSolvent = {"--temperature", "298", "--permittivity", "30",
                                                   "--viscosity",   "1"};
    std::vector<std::string> idealOtherSolvent = {"--solution", "ideal"};
    idealOtherSolvent.insert(idealOtherSolvent.end(), otherSolvent.begin(), otherSolvent.end());
    std::vector<std::string> daviesOtherSolvent = {"--solution", "davies"};
    daviesOtherSolvent.insert(daviesOtherSolvent.end(), otherSolvent.begin(), otherSolvent.end());
    expectReasons({
        {{"--ion-size", "4"}, "--ion-size" + ionicOnly},
        {{"--solution", "ideal", "--solvent", "methanol"}, "--solvent" + ionicOnly},
        {otherSolvent, "--temperature" + ionicOnly},
        {idealOtherSolvent, "--temperature" + ionicOnly},
        {daviesOtherSolvent, "accepted"},
        {{"--solution", "debye-huckel", "--ion-size", "4"}, "accepted"},
        {{"--solution", "ideal"}, "accepted"},
        {{"--decimal-separator", "5"}, separatorReason + "5'"},
        {{"--decimal-separator", "x"}, separatorReason + "x'"},
        {{"--decimal-separator", "E"}, separatorReason + "E'"},
        {{"--decimal-separator", "-"}, separatorReason + "-'"},
        {{"--decimal-separator", "+"}, separatorReason + "+'"},
        {{"--decimal-separator", " "}, separatorReason + " '"},
        {{"--decimal-separator", "\t"}, separatorReason + "\t'"},
        {{"--decimal-separator", ","}, "accepted"},
        {{"--decimal-separator", "."}, "accepted"},
        {{"--decimal-separator", "'"}, "accepted"},
    });
}

}  // namespace
}  // namespace condsim
