#pragma once

// Game integers and their conversions to and from text and doubles.
//
// A game integer is a 16-bit signed whole number. The text form accepted from a
// box is decided here, in one place:
//
//   number := blanks? sign? (digits ("." digits?)? | "." digits) blanks?
//
// - blanks are spaces and tabs, before and after the number, any number of them;
// - the sign is "+" or "-" and stands directly before the number (no blank);
// - digits are the ASCII digits 0-9, any number of them, leading zeros included;
// - "5." reads as 5 and ".5" as 0.5;
// - a fraction is rounded to the nearest whole number, halves to the even
//   neighbour, decided on the exact decimal digits (never through a double);
// - a number whose rounded value lies outside -32768..32767 is out of range.
//
// Anything else is not a number: empty or blank-only text, a lone sign or ".",
// thousands separators, exponents, currency signs, hexadecimal forms, other
// blanks (no-break space, newline), non-ASCII digits and embedded NUL bytes.
// The text is read once from left to right, so the work grows linearly with its
// length, and no digit run, however long, can overflow.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanel {

using GameInt = std::int16_t;

enum class ConversionStatus { Ok, NotANumber, OutOfRange };

struct GameIntConversion {
    ConversionStatus status = ConversionStatus::NotANumber;
    GameInt value = 0;

    bool ok() const { return status == ConversionStatus::Ok; }
    friend bool operator==(const GameIntConversion &, const GameIntConversion &) = default;
};

// Reads a box's text, exactly as typed, as a game integer.
GameIntConversion textToGameInt(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour; NaN,
// infinities and values outside the game-integer range are out of range.
GameIntConversion doubleToGameInt(double value);

// The number text written into a box: digits, with a leading "-" when negative.
std::string gameIntToText(GameInt value);

} // namespace orvanel
