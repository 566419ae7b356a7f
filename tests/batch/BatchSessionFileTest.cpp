// condsim-batch with --session and --save-session: a run's session opened by another run
// gives its report again, byte for byte; options given with a session change what it
// holds, as a run with the same options from the start would; a session that cannot be
// opened ends the run before anything is written.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "BatchTestSupport.h"
#include "TestSession.h"
#include "batch/BatchOptions.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;
using Arguments = std::vector<std::string>;

// Runs the tool with the arguments in the current folder; the messages on failure.
std::string run(const Arguments& arguments, int expectedStatus = 0) {
    std::ostringstream messages;
    std::ostringstream results;
    const int status = runBatch(parseBatchOptions(arguments), messages, results,
                                testing::recordingCanvases(), testing::noPictures());
    EXPECT_EQ(status, expectedStatus) << messages.str();
    return messages.str();
}

Arguments with(Arguments arguments, const Arguments& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

struct StateCase {
    const char* name;
    Arguments options;
};

const StateCase states[] = {
    {"designed, n 4, alfa 35", {"--n", "4", "--alfa", "35", "--points", "30"}},
    {"stepwise constants from a file, the gradient rule", {"--constants", "", "--gradient", "15"}},
    {"Debye-Hueckel with Bjerrum's distance in methanol",
     {"--solution", "debye-huckel", "--ion-size", "bjerrum", "--solvent", "methanol"}},
    {"Davies, a fit of K1 and MCA",
     {"--n", "2", "--solution", "davies", "--fit", "K1,MCA", "--points", "25"}},
    {"a fit of K1, alfa and MCA, relative weights, the hyperbolic rule",
     {"--fit", "K1,alfa,MCA", "--weights", "relative", "--hyperbolic", "1.7"}},
};

// The example data of a case: the 2:1 salt for the ionic-strength models.
Arguments dataOf(const StateCase& c) {
    const bool ionic = std::string(c.name).find("Davies") != std::string::npos ||
                       std::string(c.name).find("Debye") != std::string::npos;
    return {"--data",
            testing::exampleFile(ionic ? "observed-2to1-salt.txt" : "observed-6to1-salt.txt")};
}

Arguments resolved(Arguments options) {
    for (size_t i = 0; i + 1 < options.size(); ++i)
        if (options[i] == "--constants")
            options[i + 1] = testing::exampleFile("stepwise-constants-6.txt");
    return options;
}

TEST(BatchSessionFile, ASavedSessionOpenedGivesTheSameReport) {
    for (const StateCase& c : states) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        run(with(with(dataOf(c), resolved(c.options)),
                 {"--report", "first.txt", "--save-session", "work.condsim"}));
        const std::string first = testing::contentOf(directory.path() / "first.txt");
        ASSERT_FALSE(first.empty());
        run({"--session", "work.condsim", "--report", "again.txt", "--save-session",
             "again.condsim"});
        EXPECT_EQ(testing::contentOf(directory.path() / "again.txt"), first);
        // The session of the run that opened it is the same, fit choice and all.
        EXPECT_EQ(testing::contentOf(directory.path() / "again.condsim"),
                  testing::contentOf(directory.path() / "work.condsim"));
    }
}

TEST(BatchSessionFile, OptionsGivenWithASessionOverrideIt) {
    const Arguments start = {"--n", "5", "--alfa", "30", "--mca", "75", "--points", "40"};
    const StateCase overrides[] = {
        {"n", {"--n", "3"}},
        {"beta1", {"--beta1", "2500.5"}},
        {"MCX", {"--mcx", "61.5"}},
        {"the solution model", {"--solution", "davies", "--ion-size", "5"}},
        {"the scaling factors", {"--gradient", "-10"}},
        {"other data", {"--data", testing::exampleFile("observed-2to1-salt.txt")}},
    };
    const Arguments data = {"--data", testing::exampleFile("observed-6to1-salt.txt")};
    for (const StateCase& c : overrides) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        run(with(with(data, start), {"--save-session", "s.condsim"}));
        // The same options at once, the later ones replacing the earlier.
        Arguments direct = with(data, start);
        for (size_t i = 0; i + 1 < c.options.size(); i += 2) {
            const auto at = std::find(direct.begin(), direct.end(), c.options[i]);
            if (at != direct.end()) direct.erase(at, at + 2);
        }
        const std::string expectedMessages =
            run(with(with(direct, c.options), {"--report", "direct.txt"}));
        const std::string messages =
            run(with(with({"--session", "s.condsim"}, c.options), {"--report", "opened.txt"}));
        EXPECT_EQ(messages, expectedMessages);
        EXPECT_EQ(testing::contentOf(directory.path() / "opened.txt"),
                  testing::contentOf(directory.path() / "direct.txt"));
    }
}

TEST(BatchSessionFile, ASessionThatCannotBeOpenedEndsTheRunBeforeAnyOutput) {
    struct Bad {
        const char* name;
        const char* content;  // nullptr: no file
        const char* message;
    };
    const Bad cases[] = {
        {"missing", nullptr, "ファイルが見つかりません"},  // the I/O error of a missing file
        {"damaged", "{\"format\": 1, \"condsim\": \"1.0.0\", \"observed\": {", "not a JSON text"},
        {"newer", "{\"format\": 3, \"condsim\": \"4.2.0\"}", "open it with condsim 4.2.0 or newer"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        if (c.content != nullptr) directory.write("s.condsim", c.content);
        const std::string messages = run(
            {"--session", "s.condsim", "--report", "r.txt", "--save-session", "out.condsim"}, 1);
        EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        EXPECT_NE(messages.find((directory.path() / "s.condsim").string()), std::string::npos)
            << messages;
        EXPECT_FALSE(std::filesystem::exists(directory.path() / "r.txt"));
        EXPECT_FALSE(std::filesystem::exists(directory.path() / "out.condsim"));
    }
}

TEST(BatchSessionFile, OptionsParse) {
    const BatchOptions options = parseBatchOptions(
        {"--session", "a.condsim", "--save-session", "b.condsim", "--ion-size", "4"});
    EXPECT_EQ(*options.session, "a.condsim");
    EXPECT_EQ(*options.saveSession, "b.condsim");
    // Without a session, an ion size still needs an ionic-strength model.
    EXPECT_THROW(parseBatchOptions({"--ion-size", "4"}), BatchUsageError);
}

}  // namespace
}  // namespace condsim
