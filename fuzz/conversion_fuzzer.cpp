// Reading any text as a game integer agrees with the exact model, and a value
// that is read always lies in the game-integer range.

#include "calc/game_integer.h"
#include "fuzz/exact_model.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const orvanel::GameIntConversion got = orvanel::textToGameInt(text);
    const exact_model::Number expected = exact_model::readNumber(text);

    switch (expected.status) {
    case exact_model::Read::Ok:
        if (got.status != orvanel::ConversionStatus::Ok || got.value != expected.value)
            std::abort();
        break;
    case exact_model::Read::NotANumber:
        if (got.status != orvanel::ConversionStatus::NotANumber)
            std::abort();
        break;
    case exact_model::Read::OutOfRange:
        if (got.status != orvanel::ConversionStatus::OutOfRange)
            std::abort();
        break;
    }
    if (got.ok() && orvanel::textToGameInt(orvanel::gameIntToText(got.value)) != got)
        std::abort();
    return 0;
}
