#include "calc/game_integer.h"

#include <cmath>
#include <cstdint>

namespace orvanel {

namespace {

constexpr std::uint32_t largestNegativeMagnitude = 32768;
constexpr std::uint32_t largestPositiveMagnitude = 32767;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

GameIntConversion notANumber()
{
    return { ConversionStatus::NotANumber, 0 };
}
GameIntConversion outOfRange()
{
    return { ConversionStatus::OutOfRange, 0 };
}

GameIntConversion fromMagnitude(bool negative, std::uint32_t magnitude)
{
    if (magnitude > (negative ? largestNegativeMagnitude : largestPositiveMagnitude))
        return outOfRange();
    const auto signedValue
        = negative ? -static_cast<std::int32_t>(magnitude) : static_cast<std::int32_t>(magnitude);
    return { ConversionStatus::Ok, static_cast<GameInt>(signedValue) };
}

} // namespace

GameIntConversion textToGameInt(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The whole part is accumulated only while it can still be in range; past
    // that the digits are merely checked.
    std::uint32_t magnitude = 0;
    bool tooLarge = false;
    const std::size_t wholeStart = i;
    for (; i < n && isDigit(text[i]); ++i) {
        if (!tooLarge) {
            magnitude = magnitude * 10 + static_cast<std::uint32_t>(text[i] - '0');
            tooLarge = magnitude > largestNegativeMagnitude;
        }
    }
    const std::size_t wholeDigits = i - wholeStart;

    int firstFractionDigit = 0;
    bool laterFractionDigitsNonZero = false;
    std::size_t fractionDigits = 0;
    if (i < n && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        for (; i < n && isDigit(text[i]); ++i) {
            if (i == fractionStart)
                firstFractionDigit = text[i] - '0';
            else if (text[i] != '0')
                laterFractionDigitsNonZero = true;
        }
        fractionDigits = i - fractionStart;
    }

    while (i < n && isBlank(text[i]))
        ++i;
    if (wholeDigits + fractionDigits == 0 || i != n)
        return notANumber();
    if (tooLarge)
        return outOfRange();

    // Rounding the magnitude is the same as rounding the signed value, since
    // halves go to the even neighbour on either side of zero.
    const bool aboveHalf
        = firstFractionDigit > 5 || (firstFractionDigit == 5 && laterFractionDigitsNonZero);
    const bool exactlyHalf = firstFractionDigit == 5 && !laterFractionDigitsNonZero;
    if (aboveHalf || (exactlyHalf && magnitude % 2 == 1))
        ++magnitude;
    return fromMagnitude(negative, magnitude);
}

GameIntConversion doubleToGameInt(double value)
{
    // The comparison is false for NaN too.
    if (!(value > -32769.0 && value < 32768.0))
        return outOfRange();
    double whole = std::floor(value);
    const double fraction = value - whole; // exact for values this small
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < -32768.0 || whole > 32767.0)
        return outOfRange();
    return { ConversionStatus::Ok, static_cast<GameInt>(whole) };
}

std::string gameIntToText(GameInt value)
{
    return std::to_string(value);
}

} // namespace orvanel
