#include "calc/max_block_dex.h"

#include <cstdint>

namespace orvanel {

namespace {

constexpr std::int32_t firstFactor = 2;
constexpr std::int32_t secondFactor = 75;
constexpr std::int32_t addend = 15;

// A 16-bit signed multiplication: no result when the product leaves the range.
std::optional<GameInt> multiply16(GameInt a, std::int32_t b)
{
    const std::int32_t product = std::int32_t { a } * b;
    if (product < INT16_MIN || product > INT16_MAX)
        return std::nullopt;
    return static_cast<GameInt>(product);
}

DexFailure failureOf(ConversionStatus status, DexFailure notANumber, DexFailure outOfRange)
{
    return status == ConversionStatus::NotANumber ? notANumber : outOfRange;
}

} // namespace

DexCalcOutcome CalcMaxBlockDex(std::string_view blockText, std::string_view levelText)
{
    DexCalcOutcome outcome;

    // Emptiness means zero characters: a text of blanks is not empty.
    if (blockText.empty()) {
        outcome.notice = DexNotice::BlockMissing;
        return outcome;
    }
    const GameIntConversion block = textToGameInt(blockText);
    if (!block.ok()) {
        outcome.failure
            = failureOf(block.status, DexFailure::BlockNotANumber, DexFailure::BlockOutOfRange);
        return outcome;
    }

    if (levelText.empty()) {
        outcome.notice = DexNotice::LevelMissing;
        return outcome;
    }
    const GameIntConversion levelConversion = textToGameInt(levelText);
    if (!levelConversion.ok()) {
        outcome.failure = failureOf(
            levelConversion.status, DexFailure::LevelNotANumber, DexFailure::LevelOutOfRange);
        return outcome;
    }

    GameInt level = levelConversion.value;
    if (level > levelCeiling) {
        outcome.notice = DexNotice::LevelTooHigh;
        outcome.levelReplaced = true;
        level = levelCeiling;
    }

    // Two separate 16-bit multiplications, each of which may overflow.
    std::optional<GameInt> product = multiply16(level, firstFactor);
    if (product)
        product = multiply16(*product, secondFactor);
    if (!product) {
        outcome.failure = DexFailure::ProductOverflow;
        return outcome;
    }

    if (block.value == 0) {
        outcome.failure = DexFailure::BlockIsZero;
        return outcome;
    }
    const double quotient = static_cast<double>(*product) / static_cast<double>(block.value);

    // |product| <= 32700 and |block| >= 1, so the rounded quotient always fits.
    const GameIntConversion rounded = doubleToGameInt(quotient);
    outcome.result = static_cast<GameInt>(rounded.value + addend);
    return outcome;
}

std::string_view noticeText(DexNotice notice)
{
    switch (notice) {
    case DexNotice::BlockMissing:
        return "Please Insert Sheild Block percentage into Area Provided.";
    case DexNotice::LevelMissing:
        return "Please Insert Character Level In Area Provided.";
    case DexNotice::LevelTooHigh:
        return "Invalid Character Level Must be Lower then 99";
    case DexNotice::None:
        break;
    }
    return {};
}

// Each message holds for every text that leads to it: decimals are read and
// rounded halves to even, so a block of 0.5 is a block of 0.
std::string_view failureText(DexFailure failure)
{
    switch (failure) {
    case DexFailure::BlockNotANumber:
        return "The block percentage must be a plain number, such as 50 or 37.5.";
    case DexFailure::BlockOutOfRange:
        return "The block percentage lies outside -32768 to 32767.";
    case DexFailure::LevelNotANumber:
        return "The character level must be a plain number, such as 80.";
    case DexFailure::LevelOutOfRange:
        return "The character level lies outside -32768 to 32767.";
    case DexFailure::ProductOverflow:
        return "The character level is too low to calculate; the lowest is -218.";
    case DexFailure::BlockIsZero:
        return "The block percentage is 0 when rounded, and the calculation cannot divide by 0.";
    case DexFailure::None:
        break;
    }
    return {};
}

const std::array<NamedMessage, 9> &namedMessages()
{
    static const std::array<NamedMessage, 9> messages { {
        { "BlockMissing", noticeText(DexNotice::BlockMissing) },
        { "LevelMissing", noticeText(DexNotice::LevelMissing) },
        { "LevelTooHigh", noticeText(DexNotice::LevelTooHigh) },
        { "BlockNotANumber", failureText(DexFailure::BlockNotANumber) },
        { "BlockOutOfRange", failureText(DexFailure::BlockOutOfRange) },
        { "LevelNotANumber", failureText(DexFailure::LevelNotANumber) },
        { "LevelOutOfRange", failureText(DexFailure::LevelOutOfRange) },
        { "ProductOverflow", failureText(DexFailure::ProductOverflow) },
        { "BlockIsZero", failureText(DexFailure::BlockIsZero) },
    } };
    return messages;
}

} // namespace orvanel
