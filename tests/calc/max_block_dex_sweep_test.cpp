// Every level a box can hold, against a set of block percentages, compared with
// a model that works in 64-bit integers and rounds the exact quotient.

#include "max_block_dex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace orvanel {
namespace {

// The nearest whole number to p / b, halves to the even neighbour, exactly.
std::int64_t roundQuotientHalfEven(std::int64_t p, std::int64_t b)
{
    if (b < 0) {
        p = -p;
        b = -b;
    }
    std::int64_t q = p / b;
    std::int64_t r = p % b;
    if (r < 0) { // make the remainder non-negative: p = q*b + r, 0 <= r < b
        r += b;
        q -= 1;
    }
    if (2 * r > b || (2 * r == b && q % 2 != 0))
        q += 1;
    return q;
}

DexCalcOutcome model(std::int64_t block, std::int64_t level)
{
    DexCalcOutcome expected;
    if (level > 99) {
        expected.notice = DexNotice::LevelTooHigh;
        expected.levelReplaced = true;
        level = 99;
    }
    const std::int64_t doubled = level * 2;
    const std::int64_t product = doubled * 75;
    if (doubled < -32768 || doubled > 32767 || product < -32768 || product > 32767) {
        expected.failure = DexFailure::ProductOverflow;
        return expected;
    }
    if (block == 0) {
        expected.failure = DexFailure::BlockIsZero;
        return expected;
    }
    expected.result = static_cast<GameInt>(roundQuotientHalfEven(product, block) + 15);
    return expected;
}

TEST(CalcMaxBlockDexSweep, EveryLevelMatchesTheExactModel)
{
    const int blocks[] = { 0, 1, -1, 4, 7, 12, 50, 75, -50, 300, 32767, -32768 };
    for (int block : blocks) {
        const std::string blockText = std::to_string(block);
        for (int level = -32768; level <= 32767; ++level) {
            const DexCalcOutcome got = CalcMaxBlockDex(blockText, std::to_string(level));
            ASSERT_EQ(got, model(block, level)) << "block " << block << ", level " << level;
        }
    }
}

TEST(CalcMaxBlockDexSweep, EveryBlockMatchesTheExactModel)
{
    const int levels[] = { -219, -218, -1, 0, 1, 10, 80, 99, 100 };
    for (int level : levels) {
        const std::string levelText = std::to_string(level);
        for (int block = -32768; block <= 32767; ++block) {
            const DexCalcOutcome got = CalcMaxBlockDex(std::to_string(block), levelText);
            ASSERT_EQ(got, model(block, level)) << "block " << block << ", level " << level;
        }
    }
}

} // namespace
} // namespace orvanel
