#include "calc/game_integer.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanel {
namespace {

constexpr auto Ok = ConversionStatus::Ok;
constexpr auto NaN = ConversionStatus::NotANumber;
constexpr auto Range = ConversionStatus::OutOfRange;

struct TextCase {
    std::string text;
    ConversionStatus status;
    int value;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << '"' << c.text << '"';
}

class TextToGameInt : public testing::TestWithParam<TextCase> { };

TEST_P(TextToGameInt, ReadsTheTextAsDecided)
{
    const TextCase &c = GetParam();
    const GameIntConversion got = textToGameInt(c.text);
    EXPECT_EQ(got.status, c.status);
    if (c.status == Ok) {
        EXPECT_EQ(got.value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(WholeNumbers, TextToGameInt,
    testing::Values(TextCase { "0", Ok, 0 }, TextCase { "50", Ok, 50 }, TextCase { "-15", Ok, -15 },
        TextCase { "+7", Ok, 7 }, TextCase { "-0", Ok, 0 }, TextCase { "32767", Ok, 32767 },
        TextCase { "-32768", Ok, -32768 }, TextCase { "32768", Range, 0 },
        TextCase { "-32769", Range, 0 }, TextCase { "99999", Range, 0 },
        TextCase { "000000000000000000042", Ok, 42 }, TextCase { "-00032768", Ok, -32768 }));

INSTANTIATE_TEST_SUITE_P(HalvesGoToTheEvenNeighbour, TextToGameInt,
    testing::Values(TextCase { "37.5", Ok, 38 }, TextCase { "36.5", Ok, 36 },
        TextCase { "99.5", Ok, 100 }, TextCase { "99.4", Ok, 99 }, TextCase { "99.6", Ok, 100 },
        TextCase { "0.5", Ok, 0 }, TextCase { "1.5", Ok, 2 }, TextCase { "-0.5", Ok, 0 },
        TextCase { "-1.5", Ok, -2 }, TextCase { "-2.5", Ok, -2 },
        TextCase { "2.5000000000000000001", Ok, 3 }, TextCase { "2.4999999999999999999", Ok, 2 },
        TextCase { "2.50000000000000000000", Ok, 2 }, TextCase { "-32768.5", Ok, -32768 },
        TextCase { "-32768.50001", Range, 0 }, TextCase { "32767.5", Range, 0 },
        TextCase { "32767.4999", Ok, 32767 }, TextCase { "32766.5", Ok, 32766 }));

INSTANTIATE_TEST_SUITE_P(BlanksAndPartialForms, TextToGameInt,
    testing::Values(TextCase { " 50", Ok, 50 }, TextCase { "50  ", Ok, 50 },
        TextCase { "\t50\t", Ok, 50 }, TextCase { "  -7  ", Ok, -7 }, TextCase { "5.", Ok, 5 },
        TextCase { ".5", Ok, 0 }, TextCase { ".6", Ok, 1 }, TextCase { "-.6", Ok, -1 },
        TextCase { "", NaN, 0 }, TextCase { " ", NaN, 0 }, TextCase { "\t", NaN, 0 },
        TextCase { ".", NaN, 0 }, TextCase { "-", NaN, 0 }, TextCase { "+", NaN, 0 },
        TextCase { "- 5", NaN, 0 }, TextCase { "5 0", NaN, 0 }, TextCase { "--5", NaN, 0 },
        TextCase { "5-", NaN, 0 }, TextCase { "5..0", NaN, 0 }, TextCase { "5.0.0", NaN, 0 },
        TextCase { "\n5", NaN, 0 }, TextCase { "5\r", NaN, 0 }));

INSTANTIATE_TEST_SUITE_P(NotationsThatAreRejected, TextToGameInt,
    testing::Values(TextCase { "1,000", NaN, 0 }, TextCase { "1e3", NaN, 0 },
        TextCase { "1E3", NaN, 0 }, TextCase { "$50", NaN, 0 }, TextCase { "50%", NaN, 0 },
        TextCase { "&H10", NaN, 0 }, TextCase { "0x10", NaN, 0 }, TextCase { "abc", NaN, 0 },
        TextCase { "5a", NaN, 0 },
        TextCase { "\xC2\xA0"
                   "5",
            NaN, 0 },
        TextCase { "\xD9\xA5", NaN, 0 }, TextCase { std::string("5\0", 2), NaN, 0 },
        TextCase { std::string("\0"
                               "5",
                       2),
            NaN, 0 },
        TextCase { "\xEF\xBC\x95", NaN, 0 }));

TEST(TextToGameIntLongTexts, HugeDigitRunsAreOutOfRangeWithoutOverflow)
{
    const std::string megabyte(1 << 20, '9');
    EXPECT_EQ(textToGameInt(megabyte).status, Range);
    EXPECT_EQ(textToGameInt("-" + megabyte).status, Range);
    EXPECT_EQ(textToGameInt(megabyte + "x").status, NaN);
    // 2^32 + 5 would wrap a 32-bit accumulator to 5.
    EXPECT_EQ(textToGameInt("4294967301").status, Range);
}

TEST(TextToGameIntLongTexts, LongZerosAndFractionsAreExact)
{
    const std::string zeros(1 << 20, '0');
    EXPECT_EQ(textToGameInt(zeros + "123"), (GameIntConversion { Ok, 123 }));
    EXPECT_EQ(textToGameInt("7." + zeros), (GameIntConversion { Ok, 7 }));
    EXPECT_EQ(textToGameInt("6.5" + zeros), (GameIntConversion { Ok, 6 }));
    EXPECT_EQ(textToGameInt("6.5" + zeros + "1"), (GameIntConversion { Ok, 7 }));
    EXPECT_EQ(textToGameInt("6.4" + std::string(1 << 20, '9')), (GameIntConversion { Ok, 6 }));
}

struct DoubleCase {
    double value;
    ConversionStatus status;
    int expected;
};

void PrintTo(const DoubleCase &c, std::ostream *os)
{
    *os << c.value;
}

class DoubleToGameInt : public testing::TestWithParam<DoubleCase> { };

TEST_P(DoubleToGameInt, RoundsHalvesToEven)
{
    const DoubleCase &c = GetParam();
    const GameIntConversion got = doubleToGameInt(c.value);
    EXPECT_EQ(got.status, c.status) << c.value;
    if (c.status == Ok) {
        EXPECT_EQ(got.value, c.expected) << c.value;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, DoubleToGameInt,
    testing::Values(DoubleCase { 0.0, Ok, 0 }, DoubleCase { 0.5, Ok, 0 }, DoubleCase { 1.5, Ok, 2 },
        DoubleCase { 2.5, Ok, 2 }, DoubleCase { 37.5, Ok, 38 }, DoubleCase { 12.5, Ok, 12 },
        DoubleCase { 214.2857, Ok, 214 }, DoubleCase { -0.5, Ok, 0 }, DoubleCase { -1.5, Ok, -2 },
        DoubleCase { -2.5, Ok, -2 }, DoubleCase { -2.6, Ok, -3 },
        DoubleCase { 32767.49, Ok, 32767 }, DoubleCase { 32767.5, Range, 0 },
        DoubleCase { -32768.5, Ok, -32768 }, DoubleCase { -32768.51, Range, 0 },
        DoubleCase { 1e300, Range, 0 },
        DoubleCase { std::numeric_limits<double>::infinity(), Range, 0 },
        DoubleCase { -std::numeric_limits<double>::infinity(), Range, 0 },
        DoubleCase { std::numeric_limits<double>::quiet_NaN(), Range, 0 }));

TEST(GameIntToText, WritesDigitsWithALeadingMinusOnly)
{
    EXPECT_EQ(gameIntToText(255), "255");
    EXPECT_EQ(gameIntToText(0), "0");
    EXPECT_EQ(gameIntToText(-15), "-15");
    EXPECT_EQ(gameIntToText(32767), "32767");
    EXPECT_EQ(gameIntToText(-32768), "-32768");
}

TEST(GameIntToText, EveryValueReadsBackToItself)
{
    for (int v = -32768; v <= 32767; ++v) {
        const auto value = static_cast<GameInt>(v);
        ASSERT_EQ(textToGameInt(gameIntToText(value)), (GameIntConversion { Ok, value })) << v;
    }
}

} // namespace
} // namespace orvanel
