#include <gtest/gtest.h>

#include <string>

#include "ui/SpinField.h"

namespace condsim {
namespace {

// A spin field of range 2..30 that counts the runs of its change handler.
struct CountedField {
    SpinField field{2, 30, 6};
    int changes = 0;
    CountedField() {
        field.setChangeHandler([this] { ++changes; });
    }
};

TEST(SpinField, ValueIsTheWholeNumberInTheTextOrTheMinimum) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"12", 12}, {"+5", 5},  {"500", 500}, {"-5", -5}, {"", 2},  {"-", 2},
        {"1.5", 2}, {"abc", 2}, {"3x", 2},    {"1E1", 2}, {"+", 2}, {"99999999999", 2},
    };
    CountedField f;
    for (const auto& c : cases) {
        f.field.userSetText(c.text);
        EXPECT_EQ(f.field.value(), c.value) << c.text;
        EXPECT_EQ(f.field.text(), c.text);  // typing applies no range
    }
    EXPECT_EQ(f.changes, 12);
}

TEST(SpinField, RangeAppliesOnLeavingOnStepsAndWhenSetByProgram) {
    const struct {
        const char* typed;
        const char* afterLeave;
        int changesOnLeave;
    } leaving[] = {
        {"45", "30", 1},
        {"-7", "2", 1},
        {"1", "2", 1},
        {"30", "30", 0},
        // Not a whole number: the field shows the minimum it reads as, with no handler.
        {"abc", "2", 0},
        {"", "2", 0},
        {"-", "2", 0},
    };
    for (const auto& c : leaving) {
        CountedField f;
        f.field.userSetText(c.typed);
        const int before = f.changes;
        f.field.userLeave();
        EXPECT_EQ(f.field.text(), c.afterLeave) << c.typed;
        EXPECT_EQ(f.changes - before, c.changesOnLeave) << c.typed;
    }

    const struct {
        const char* text;
        int delta;
        const char* afterStep;
        int changes;
    } steps[] = {
        {"6", +1, "7", 1},   {"30", +1, "30", 0}, {"2", -1, "2", 0}, {"45", +1, "30", 1},
        {"45", -1, "30", 1}, {"abc", +1, "3", 1}, {"0", -1, "2", 1},
    };
    for (const auto& c : steps) {
        CountedField f;
        f.field.userSetText(c.text);
        f.changes = 0;
        f.field.userStep(c.delta);
        EXPECT_EQ(f.field.text(), c.afterStep) << c.text << " " << c.delta;
        EXPECT_EQ(f.changes, c.changes) << c.text << " " << c.delta;
    }

    CountedField f;
    for (const auto& [set, shown] : {std::pair{100, "30"}, {-5, "2"}, {17, "17"}}) {
        f.field.setValue(set);
        EXPECT_EQ(f.field.text(), shown);
    }
    EXPECT_EQ(f.changes, 0);  // values the program sets run no handler
}

TEST(SpinField, OnlyChangesOfTheTextRunTheHandler) {
    CountedField f;
    f.field.userSetText("6");  // the same text
    f.field.userLeave();       // within the range
    EXPECT_EQ(f.changes, 0);
    f.field.userSetText("1");
    f.field.userSetText("12");
    EXPECT_EQ(f.changes, 2);
}

TEST(SpinField, TypedTextIsCommittedByEnterAStepOrLeavingAfterItsChange) {
    const struct {
        const char* commit;
        void (*act)(SpinField&);
        const char* log;  // c: a typed change, s: any other change, C: a commit
    } cases[] = {
        {"Enter", [](SpinField& f) { f.userCommit(); }, "ccC"},
        {"leaving", [](SpinField& f) { f.userLeave(); }, "ccC"},
        // A step after typing changes the field as committed text, before the commit.
        {"arrow", [](SpinField& f) { f.userStep(+1); }, "ccsC"},
    };
    for (const auto& c : cases) {
        SpinField field{2, 30, 6};
        std::string log;
        field.setChangeHandler([&] { log += field.typing() ? 'c' : 's'; });
        field.setCommitHandler([&] { log += 'C'; });
        field.userSetText("1");
        field.userSetText("12");
        EXPECT_TRUE(field.typing()) << c.commit;
        c.act(field);
        EXPECT_FALSE(field.typing()) << c.commit;
        const std::string expected = c.log;
        EXPECT_EQ(log, expected) << c.commit;
        // Nothing typed since: no commit.
        EXPECT_FALSE(field.userCommit()) << c.commit;
        field.userLeave();
        field.userStep(-1);
        EXPECT_EQ(log, expected + "s") << c.commit;
    }
}

TEST(SpinField, EqualMinimumAndMaximumMeanNoRange) {
    SpinField selected{0, 0, 0};
    int changes = 0;
    selected.setChangeHandler([&] { ++changes; });
    selected.setValue(7);
    EXPECT_EQ(selected.text(), "7");
    EXPECT_EQ(selected.value(), 7);
    selected.userStep(+1);
    EXPECT_EQ(selected.text(), "8");
    selected.userSetText("-3");
    selected.userLeave();
    EXPECT_EQ(selected.text(), "-3");
    selected.userSetText("x");
    EXPECT_EQ(selected.value(), 0);
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace condsim
