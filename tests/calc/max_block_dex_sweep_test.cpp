// Every level a box can hold, against a set of block percentages, compared with
// a model that works in 64-bit integers and rounds the exact quotient (the one
// the fuzz targets check against).

#include "calc/max_block_dex.h"
#include "fuzz/exact_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orvanel {
namespace {

DexCalcOutcome model(std::int64_t block, std::int64_t level)
{
    DexCalcOutcome expected;
    if (level > 99) {
        expected.notice = DexNotice::LevelTooHigh;
        expected.levelReplaced = true;
    }
    if (const auto dexterity = exact_model::dexterity(block, level))
        expected.result = static_cast<GameInt>(*dexterity);
    else if (block == 0 && level >= -218)
        expected.failure = DexFailure::BlockIsZero;
    else
        expected.failure = DexFailure::ProductOverflow;
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
