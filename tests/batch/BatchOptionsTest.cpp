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
                                            "88.5",
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
    EXPECT_EQ(*options.mca, "88.5");
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

TEST(BatchOptions, UsageErrorsNameTheProblem) {
    const auto reason = [](std::vector<std::string> arguments) {
        try {
            parseBatchOptions(arguments);
        } catch (const BatchUsageError& error) {
            return error.reason;
        }
        return std::string("accepted");
    };
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

}  // namespace
}  // namespace condsim
