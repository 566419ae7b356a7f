// Inputs under which the free-anion search has no balance in reach: it must end with an
// error box instead of running for ever. Found by the observed-data fuzz target: File/Open
// with no data (an empty file then, a cancelled first dialog now) leaves the plot range at
// its "no maximum yet" start, so the sweep's concentrations are negative.

#include <gtest/gtest.h>

#include "TestSession.h"
#include "model/designed/FreeAnionSearch.h"

namespace condsim {
namespace {

using testing::Session;

TEST(SolverTermination, SweepAfterACancelledFirstOpenEndsWithTheSearchError) {
    Session s;
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));  // unscripted: cancelled
    ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
    s.form1.SpinEdit3.setValue(9);

    EXPECT_FALSE(s.act([&] { s.form1.Button3Click(); }));
    EXPECT_EQ(s.errors(),
              std::vector<std::string>{std::string(searchDidNotSettleText) +
                                       ".\nNo observed data are loaded: open a data file first "
                                       "(File/Open)."});
    EXPECT_EQ(s.app.state.observed.count, 0);
    EXPECT_EQ(s.form2.StringGrid1.cell(0, 1), "") << "no calculated row was written";
}

}  // namespace
}  // namespace condsim
