#pragma once

// How a label breaks its text into lines: at blanks only, each line holding as
// many words as fit its width. A word wider than the label stands alone on its
// line and is cut at the right edge; the blanks where a line breaks are not
// drawn.

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvanel::platform {

struct LineSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// widthOf(text) gives the drawn width of a piece of the text.
template<class Char, class WidthOf>
std::vector<LineSpan> breakLines(std::basic_string_view<Char> text, int width, WidthOf widthOf)
{
    std::vector<LineSpan> lines;
    const auto isBlank = [](Char c) { return c == Char(' '); };
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at; // one past the last word that fits
        std::size_t scan = at;
        while (scan < text.size()) {
            std::size_t wordEnd = scan;
            while (wordEnd < text.size() && isBlank(text[wordEnd]))
                ++wordEnd;
            while (wordEnd < text.size() && !isBlank(text[wordEnd]))
                ++wordEnd;
            if (end != at && widthOf(text.substr(at, wordEnd - at)) > width)
                break;
            end = scan = wordEnd;
            if (widthOf(text.substr(at, end - at)) > width)
                break; // a single word wider than the line
        }
        lines.push_back({ at, end - at });
        at = end;
        while (at < text.size() && isBlank(text[at]))
            ++at;
    }
    return lines;
}

} // namespace orvanel::platform
