#include <gtest/gtest.h>

#include "TestSupport.h"
#include "fit/FitParameter.h"

namespace condsim {
namespace {

std::string namesOf(const std::vector<FitParameter>& parameters) {
    std::string names;
    for (const FitParameter& parameter : parameters) names += fitParameterName(parameter) + ";";
    return names;
}

TEST(FitParameterList, NamesAsTheUserTypesThem) {
    const std::pair<const char*, const char*> accepted[] = {
        {"K1,alfa,MCA", "K1;alfa;MCA;"},
        {" K12 , MCX ", "K12;MCX;"},
        {"K100", "K100;"},
        {"MCX,K3,K1", "MCX;K3;K1;"},
    };
    for (const auto& [list, names] : accepted)
        EXPECT_EQ(namesOf(parseFitParameterList(list)), names) << list;
    EXPECT_TRUE(parseFitParameterList("K3")[0] == FitParameter::stepwiseConstant(3));
    EXPECT_TRUE(parseFitParameterList("alfa")[0].onLogarithmicScale());
    EXPECT_FALSE(parseFitParameterList("MCA")[0].onLogarithmicScale());

    const std::pair<const char*, const char*> refused[] = {
        {"K0", "unknown fit parameter 'K0' (use K1..K100, alfa, MCA, MCX or a)"},
        {"K101", "unknown fit parameter 'K101' (use K1..K100, alfa, MCA, MCX or a)"},
        {"K+1", "unknown fit parameter 'K+1' (use K1..K100, alfa, MCA, MCX or a)"},
        {"k1", "unknown fit parameter 'k1' (use K1..K100, alfa, MCA, MCX or a)"},
        {"beta1", "unknown fit parameter 'beta1' (use K1..K100, alfa, MCA, MCX or a)"},
        {"K1,,MCA", "empty name in the fit parameter list 'K1,,MCA'"},
        {"", "empty name in the fit parameter list ''"},
        {"K1,alfa,K1", "fit parameter 'K1' is named twice"},
    };
    for (const auto& [list, text] : refused) {
        EXPECT_EQ(testing::errorText([&] { parseFitParameterList(list); }), text) << list;
    }
}

}  // namespace
}  // namespace condsim
