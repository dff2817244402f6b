#include "host/errors.h"
#include "host/numeric.h"
#include <gtest/gtest.h>

namespace vx {
namespace {

struct RoundCase {
    double in;
    long long out; // expected, or kOverflow
};
constexpr long long kOverflow = 1LL << 40;

class CIntRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(CIntRounding, HalvesGoToTheEvenNeighbourAndTheRangeIsChecked) {
    const RoundCase c = GetParam();
    if (c.out == kOverflow) {
        try {
            CInt(c.in);
            FAIL() << "no error for " << c.in;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), errOverflow);
        }
    } else {
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CIntRounding,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                           RoundCase{-2.5, -2}, RoundCase{2.4999, 2},
                                           RoundCase{64.25, 64}, RoundCase{32767.4, 32767},
                                           RoundCase{32767.5, kOverflow},
                                           RoundCase{-32768.5, -32768},
                                           RoundCase{-32769.0, kOverflow}));

TEST(CLng, RoundsHalfEvenAndRaisesOverflowOutsideThirtyTwoBits) {
    EXPECT_EQ(CLng(99999.5), 100000);
    EXPECT_EQ(CLng(100000.5), 100000);
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_EQ(CLng(-2147483648.5), -2147483647 - 1);
    EXPECT_THROW(CLng(2147483647.5), VbError);
    EXPECT_THROW(CLng(-2147483649.0), VbError);
}

TEST(CheckedNarrowing, SixteenAndThirtyTwoBitLimits) {
    EXPECT_EQ(toInteger(-32768), -32768);
    EXPECT_EQ(toInteger(32767), 32767);
    EXPECT_THROW(toInteger(32768), VbError);
    EXPECT_THROW(toInteger(-32769), VbError);
    EXPECT_EQ(toLong(2147483647LL), 2147483647);
    EXPECT_THROW(toLong(2147483648LL), VbError);
}

TEST(ResumeNext, AFailingStepIsSkippedAndTheNextRuns) {
    std::vector<int> ran;
    resumeNext({
        [&] { ran.push_back(1); },
        [&] { raiseError(errOverflow); },
        [&] { ran.push_back(3); },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(UntrappedMessage, NamesTheNumberAndTheText) {
    EXPECT_EQ(untrappedMessage(VbError(6, errorText(6))), "Run-time error '6':\n\nOverflow");
}

} // namespace
} // namespace vx
