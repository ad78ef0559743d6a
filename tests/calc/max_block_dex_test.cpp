#include "calc/max_block_dex.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanel {
namespace {

using N = DexNotice;
using F = DexFailure;

struct CalcCase {
    std::string block;
    std::string level;
    DexNotice notice;
    bool levelReplaced;
    std::optional<int> result;
    DexFailure failure;
};

void PrintTo(const CalcCase &c, std::ostream *os)
{
    *os << "block \"" << c.block << "\", level \"" << c.level << '"';
}

class CalcMaxBlockDexCases : public testing::TestWithParam<CalcCase> { };

TEST_P(CalcMaxBlockDexCases, GivesTheExpectedOutcome)
{
    const CalcCase &c = GetParam();
    const DexCalcOutcome got = CalcMaxBlockDex(c.block, c.level);
    EXPECT_EQ(got.notice, c.notice);
    EXPECT_EQ(got.levelReplaced, c.levelReplaced);
    EXPECT_EQ(got.failure, c.failure);
    ASSERT_EQ(got.result.has_value(), c.result.has_value());
    if (c.result) {
        EXPECT_EQ(*got.result, *c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Results, CalcMaxBlockDexCases,
    testing::Values(CalcCase { "75", "99", N::None, false, 213, F::None },
        CalcCase { "50", "80", N::None, false, 255, F::None },
        CalcCase { "4", "1", N::None, false, 53, F::None }, // 37.5 rounds up to 38
        CalcCase { "12", "1", N::None, false, 27, F::None }, // 12.5 rounds down to 12
        CalcCase { "7", "10", N::None, false, 229, F::None },
        CalcCase { "33", "0", N::None, false, 15, F::None },
        CalcCase { "-50", "10", N::None, false, -15, F::None },
        CalcCase { "1", "99", N::None, false, 14865, F::None },
        CalcCase { "-1", "99", N::None, false, -14835, F::None },
        CalcCase { "32767", "99", N::None, false, 15, F::None },
        CalcCase { "1", "-218", N::None, false, -32685, F::None },
        CalcCase { "-1", "-218", N::None, false, 32715, F::None },
        CalcCase { "99.4", "50", N::None, false, 91, F::None }, // 7500 / 99 = 75.76
        CalcCase { " 50 ", "80", N::None, false, 255, F::None }));

INSTANTIATE_TEST_SUITE_P(LevelCeiling, CalcMaxBlockDexCases,
    testing::Values(CalcCase { "75", "100", N::LevelTooHigh, true, 213, F::None },
        CalcCase { "50", "120", N::LevelTooHigh, true, 312, F::None },
        CalcCase { "75", "99.4", N::None, false, 213, F::None },
        CalcCase { "75", "99.5", N::LevelTooHigh, true, 213, F::None },
        CalcCase { "75", "32767", N::LevelTooHigh, true, 213, F::None },
        CalcCase { "0", "150", N::LevelTooHigh, true, std::nullopt, F::BlockIsZero }));

INSTANTIATE_TEST_SUITE_P(MissingInputs, CalcMaxBlockDexCases,
    testing::Values(CalcCase { "", "", N::BlockMissing, false, std::nullopt, F::None },
        CalcCase { "", "80", N::BlockMissing, false, std::nullopt, F::None },
        CalcCase { "", "abc", N::BlockMissing, false, std::nullopt, F::None },
        CalcCase { "50", "", N::LevelMissing, false, std::nullopt, F::None },
        // The block text is converted before the level text is looked at.
        CalcCase { "abc", "", N::None, false, std::nullopt, F::BlockNotANumber },
        CalcCase { " ", "", N::None, false, std::nullopt, F::BlockNotANumber },
        CalcCase { "50", " ", N::None, false, std::nullopt, F::LevelNotANumber }));

INSTANTIATE_TEST_SUITE_P(Failures, CalcMaxBlockDexCases,
    testing::Values(CalcCase { "x", "80", N::None, false, std::nullopt, F::BlockNotANumber },
        CalcCase { "40000", "80", N::None, false, std::nullopt, F::BlockOutOfRange },
        CalcCase { "-32769", "", N::None, false, std::nullopt, F::BlockOutOfRange },
        CalcCase { "50", "eighty", N::None, false, std::nullopt, F::LevelNotANumber },
        CalcCase { "50", "40000", N::None, false, std::nullopt, F::LevelOutOfRange },
        CalcCase { "50", "-219", N::None, false, std::nullopt, F::ProductOverflow },
        CalcCase { "50", "-32768", N::None, false, std::nullopt, F::ProductOverflow },
        CalcCase { "0", "80", N::None, false, std::nullopt, F::BlockIsZero },
        CalcCase { "0", "0", N::None, false, std::nullopt, F::BlockIsZero },
        CalcCase { "0.4", "80", N::None, false, std::nullopt, F::BlockIsZero }));

TEST(DexMessages, NoticesKeepTheirExactTexts)
{
    EXPECT_EQ(
        noticeText(N::BlockMissing), "Please Insert Sheild Block percentage into Area Provided.");
    EXPECT_EQ(noticeText(N::LevelMissing), "Please Insert Character Level In Area Provided.");
    EXPECT_EQ(noticeText(N::LevelTooHigh), "Invalid Character Level Must be Lower then 99");
    EXPECT_TRUE(noticeText(N::None).empty());
}

TEST(DexMessages, EveryFailureHasItsOwnMessage)
{
    const F failures[] = { F::BlockNotANumber, F::BlockOutOfRange, F::LevelNotANumber,
        F::LevelOutOfRange, F::ProductOverflow, F::BlockIsZero };
    for (F a : failures) {
        EXPECT_FALSE(failureText(a).empty());
        for (F b : failures) {
            if (a != b) {
                EXPECT_NE(failureText(a), failureText(b));
            }
        }
    }
    EXPECT_TRUE(failureText(F::None).empty());
}

// The message each failing pair of texts is answered with holds for that very
// text, decimals and rounding included.
TEST(DexMessages, FailureMessagesFitTheTextTyped)
{
    const std::string_view blockNotANumber
        = "The block percentage must be a plain number, such as 50 or 37.5.";
    const std::string_view levelNotANumber
        = "The character level must be a plain number, such as 80.";
    const std::string_view blockIsZero
        = "The block percentage is 0 when rounded, and the calculation cannot divide by 0.";
    const struct {
        std::string block, level;
        std::string_view message;
    } cases[] = { { "abc", "80", blockNotANumber }, { " ", "", blockNotANumber },
        { "1e3", "80", blockNotANumber }, { std::string("5\0x", 3), "80", blockNotANumber },
        { "50", "1e3", levelNotANumber }, { "50", " ", levelNotANumber },
        { "99999", "80", "The block percentage lies outside -32768 to 32767." },
        { "50", "-32768.6", "The character level lies outside -32768 to 32767." },
        { "50", "-219", "The character level is too low to calculate; the lowest is -218." },
        { "0.4", "80", blockIsZero }, { "0.5", "80", blockIsZero }, { "-0.5", "150", blockIsZero },
        { "50", "80", "" } };
    for (const auto &c : cases) {
        SCOPED_TRACE("block \"" + c.block + "\", level \"" + c.level + '"');
        EXPECT_EQ(failureText(CalcMaxBlockDex(c.block, c.level).failure), c.message);
    }
}

} // namespace
} // namespace orvanel
