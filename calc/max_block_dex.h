#pragma once

// The dexterity a character needs to reach maximum block:
//   round(level × 2 × 75 ÷ block percentage) + 15, with a level above 99 cut to 99,
// all in 16-bit game integers.

#include "calc/game_integer.h"

#include <array>
#include <optional>
#include <string_view>

namespace orvanel {

enum class DexNotice { None, BlockMissing, LevelMissing, LevelTooHigh };

// Why no result was produced.
enum class DexFailure {
    None,
    BlockNotANumber,
    BlockOutOfRange,
    LevelNotANumber,
    LevelOutOfRange,
    ProductOverflow,
    BlockIsZero,
};

// What the caller must show, in this order: the notice's message, then "99" in
// the level box when the level was replaced, then the result.
struct DexCalcOutcome {
    DexNotice notice = DexNotice::None;
    bool levelReplaced = false;
    std::optional<GameInt> result;
    DexFailure failure = DexFailure::None;

    friend bool operator==(const DexCalcOutcome &, const DexCalcOutcome &) = default;
};

inline constexpr GameInt levelCeiling = 99;
inline constexpr std::string_view replacementLevelText = "99";

DexCalcOutcome CalcMaxBlockDex(std::string_view blockText, std::string_view levelText);

// The fixed message shown for a notice; empty for DexNotice::None.
std::string_view noticeText(DexNotice notice);

// The message shown when the calculation fails; empty for DexFailure::None.
std::string_view failureText(DexFailure failure);

// Every message the calculation can ask for, each under the name of its notice
// or failure ("LevelTooHigh", "BlockIsZero"), as test cases and tools name them.
struct NamedMessage {
    std::string_view name;
    std::string_view text;
};
const std::array<NamedMessage, 9> &namedMessages();

} // namespace orvanel
