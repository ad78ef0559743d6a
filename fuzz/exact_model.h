#pragma once

// An independent model of reading a box's text and of the calculation, written
// for checking: the grammar by a plain scan of the text's pieces, the value by
// comparing decimal strings, the quotient by exact integer arithmetic.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace exact_model {

enum class Read { Ok, NotANumber, OutOfRange };

struct Number {
    Read status = Read::NotANumber;
    std::int64_t value = 0;
};

inline bool allDigits(std::string_view s)
{
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

inline Number readNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    std::string_view body = text.substr(first, last - first + 1);
    bool negative = false;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    const auto point = body.find('.');
    std::string_view whole = body.substr(0, point);
    std::string_view fraction
        = point == std::string_view::npos ? std::string_view {} : body.substr(point + 1);
    if (!allDigits(whole) || !allDigits(fraction) || (whole.empty() && fraction.empty()))
        return {};

    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (whole.size() > 6)
        return { Read::OutOfRange, 0 };
    std::int64_t magnitude = whole.empty() ? 0 : std::stoll(std::string(whole));
    // The fraction against one half, as decimal strings: "5" is exactly a half,
    // and a string that sorts after "5" is more than a half.
    if (fraction > std::string_view("5") || (fraction == "5" && magnitude % 2 == 1))
        ++magnitude;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return { Read::OutOfRange, 0 };
    return { Read::Ok, value };
}

// The nearest whole number to p / b (b != 0), halves to the even neighbour.
inline std::int64_t roundQuotient(std::int64_t p, std::int64_t b)
{
    if (b < 0) {
        p = -p;
        b = -b;
    }
    std::int64_t q = p / b;
    std::int64_t r = p % b;
    if (r < 0) {
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && q % 2 != 0))
        ++q;
    return q;
}

// The dexterity for a block percentage and level already read; none when the
// product leaves the 16-bit range or the block is 0.
inline std::optional<std::int64_t> dexterity(std::int64_t block, std::int64_t level)
{
    if (level > 99)
        level = 99;
    if (level * 2 < -32768 || level * 150 < -32768)
        return std::nullopt;
    if (block == 0)
        return std::nullopt;
    return roundQuotient(level * 150, block) + 15;
}

} // namespace exact_model
