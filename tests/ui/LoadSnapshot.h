#pragma once
// What a refused file load must leave as it was: the observed data, the constants, the
// factors, the counts kept from earlier loads, and every table, field and picture the
// loaders write. Tables, fields and pictures are compared by their revision counters,
// which grow with every write, so that even a rewrite with the same text is caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSession.h"

namespace condsim::testing {

struct LoadSnapshot {
    explicit LoadSnapshot(const Session& s)
        : observed(s.app.state.observed),
          model(s.app.state.model),
          factors(s.app.state.factors),
          stepwiseFileName(s.app.state.stepwiseFileName),
          stepwiseCount(s.app.state.stepwiseCount),
          factorCount(s.app.state.factorCount),
          tables{s.form1.StringGrid1.revision(), s.form1.StringGrid2.revision(),
                 s.form3.StringGrid2.revision()},
          fields{s.form1.SpinEdit1.revision(), s.form1.CheckBox1.revision(),
                 s.form1.Edit1.revision(),     s.form1.Edit2.revision(),
                 s.form1.Edit3.revision(),     s.form1.Edit4.revision(),
                 s.form1.Image1.revision()} {}

    ObservedData observed;
    EquilibriumModel model;
    ScalingFactors factors;
    std::string stepwiseFileName;
    int stepwiseCount;
    int factorCount;
    std::array<unsigned long long, 3> tables;
    std::array<unsigned long long, 7> fields;
};

// A file that a loader must refuse: its content (or no file at all) and the error box,
// where FILE stands for the full name of the file.
struct RefusedFileCase {
    const char* name;
    std::string content;
    bool fileExists;
    std::string expectedError;
    // A file outside the session's folder, such as a device, instead of the content.
    const char* fixedFile = nullptr;

    // The file the dialog gives: made in `folder` (or missing there), or the fixed one.
    std::string file(const Session& s, const std::string& folder = {}) const {
        const std::filesystem::path place = s.directory.path() / folder;
        std::filesystem::create_directories(place);
        if (fixedFile != nullptr) return fixedFile;
        return fileExists ? s.directory.write((std::filesystem::path(folder) / "bad.txt").string(),
                                              content)
                          : (place / "absent.txt").string();
    }
    // The error box expected for that file.
    std::string error(const std::string& file) const {
        std::string text = expectedError;
        for (size_t at = text.find("FILE"); at != std::string::npos;
             at = text.find("FILE", at + file.size())) {
            text.replace(at, 4, file);
        }
        return text;
    }
};

// Test names instead of byte dumps in failure messages.
inline void PrintTo(const RefusedFileCase& c, std::ostream* out) { *out << c.name; }

inline void expectUnchanged(const LoadSnapshot& before, const Session& s) {
    const LoadSnapshot after(s);
    EXPECT_EQ(after.observed.fileName, before.observed.fileName);
    EXPECT_EQ(after.observed.count, before.observed.count);
    EXPECT_TRUE(after.observed.conc == before.observed.conc) << "observed concentrations changed";
    EXPECT_TRUE(after.observed.cond == before.observed.cond) << "observed conductivities changed";
    EXPECT_TRUE(after.model.K == before.model.K) << "K changed";
    EXPECT_TRUE(after.model.beta == before.model.beta) << "beta changed";
    EXPECT_TRUE(after.factors.sf == before.factors.sf) << "scaling factors changed";
    EXPECT_EQ(after.stepwiseFileName, before.stepwiseFileName);
    EXPECT_EQ(after.stepwiseCount, before.stepwiseCount);
    EXPECT_EQ(after.factorCount, before.factorCount);
    EXPECT_EQ(after.tables, before.tables) << "observed, constants, factor table";
    EXPECT_EQ(after.fields, before.fields) << "SpinEdit1, CheckBox1, Edit1..Edit4, Image1";
}

}  // namespace condsim::testing
