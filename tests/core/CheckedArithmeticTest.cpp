#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/CheckedArithmetic.h"

namespace condsim {
namespace {

using testing::errorText;

TEST(CheckedArithmetic, EachFaultEndsTheStepWithItsText) {
    EXPECT_EQ(errorText([] { div(0, 0); }), "不正な浮動小数点数演算命令");
    EXPECT_EQ(errorText([] { div(1, 0); }), "0 による浮動小数点数除算");
    EXPECT_EQ(errorText([] { div(-1, -0.0L); }), "0 による浮動小数点数除算");
    EXPECT_EQ(errorText([] { mul(LDBL_MAX, 2); }), "浮動小数点数のオーバーフロー");
    EXPECT_EQ(errorText([] { add(LDBL_MAX, LDBL_MAX); }), "浮動小数点数のオーバーフロー");
    EXPECT_EQ(errorText([] { div(LDBL_MAX, 0.5L); }), "浮動小数点数のオーバーフロー");
    EXPECT_EQ(errorText([] { squareRoot(-1); }), "不正な浮動小数点数演算命令");
    EXPECT_EQ(errorText([] { mul(LDBL_MIN, LDBL_MIN); }), "no error");  // underflow is masked
}

TEST(CheckedArithmetic, ExtendedPrecisionIsUsed) {
    // 1 + 2^-63 is representable only with a 64-bit mantissa.
    const ext tiny = 1.0L / 9223372036854775808.0L;
    EXPECT_NE(add(1, tiny), 1.0L);
    EXPECT_EQ(sub(add(1, tiny), 1), tiny);
}

TEST(ErrorReport, FinalPointFollowsCharacterOrder) {
    EXPECT_EQ(withFinalPoint("ファイルが見つかりません"), "ファイルが見つかりません.");
    EXPECT_EQ(withFinalPoint("I/O エラー (23)"), "I/O エラー (23)");
    EXPECT_EQ(withFinalPoint("'abc' は浮動小数点数ではありません"),
              "'abc' は浮動小数点数ではありません.");
    EXPECT_EQ(withFinalPoint("ends with a point."), "ends with a point.");
    EXPECT_EQ(withFinalPoint("abc"), "abc.");
    EXPECT_EQ(ioErrorText(23), "I/O エラー (23)");
    EXPECT_EQ(ioErrorText(106), "入力値が数値ではありません");
}

}  // namespace
}  // namespace condsim
