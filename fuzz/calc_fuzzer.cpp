// The calculation on any two texts keeps its order of checks and its formula.

#include "calc/max_block_dex.h"
#include "fuzz/exact_model.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

using orvanel::DexFailure;
using orvanel::DexNotice;

static void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The outcome of a missing input: its notice and nothing else.
static orvanel::DexCalcOutcome noticeOnly(DexNotice notice)
{
    orvanel::DexCalcOutcome outcome;
    outcome.notice = notice;
    return outcome;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string block = provider.ConsumeRandomLengthString();
    const std::string level = provider.ConsumeRemainingBytesAsString();
    const orvanel::DexCalcOutcome got = orvanel::CalcMaxBlockDex(block, level);

    // An empty block text is told, and nothing else happens.
    if (block.empty()) {
        check(got == noticeOnly(DexNotice::BlockMissing));
        return 0;
    }
    // A block text that cannot be read stops before the level is looked at.
    const exact_model::Number b = exact_model::readNumber(block);
    if (b.status != exact_model::Read::Ok) {
        check(got.notice == DexNotice::None && !got.result && !got.levelReplaced);
        check(got.failure
            == (b.status == exact_model::Read::NotANumber ? DexFailure::BlockNotANumber
                                                          : DexFailure::BlockOutOfRange));
        return 0;
    }
    if (level.empty()) {
        check(got == noticeOnly(DexNotice::LevelMissing));
        return 0;
    }
    const exact_model::Number l = exact_model::readNumber(level);
    if (l.status != exact_model::Read::Ok) {
        check(got.notice == DexNotice::None && !got.result && !got.levelReplaced);
        check(got.failure
            == (l.status == exact_model::Read::NotANumber ? DexFailure::LevelNotANumber
                                                          : DexFailure::LevelOutOfRange));
        return 0;
    }

    // A level above 99 always comes with its notice and the replacement.
    const bool tooHigh = l.value > 99;
    check(got.levelReplaced == tooHigh);
    check(got.notice == (tooHigh ? DexNotice::LevelTooHigh : DexNotice::None));
    // A result always equals the exact formula; a failure has no result.
    const auto expected = exact_model::dexterity(b.value, l.value);
    check(got.result.has_value() == expected.has_value());
    check(got.result.has_value() == (got.failure == DexFailure::None));
    if (expected)
        check(*got.result == *expected);
    else
        check(got.failure
            == (b.value == 0 && l.value >= -218 ? DexFailure::BlockIsZero
                                                : DexFailure::ProductOverflow));
    return 0;
}
