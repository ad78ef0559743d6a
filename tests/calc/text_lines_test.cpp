// How labels break their text into lines, with every character one unit wide.

#include "platform/win32/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanel::platform {
namespace {

struct LinesCase {
    std::string text;
    int width;
    std::vector<std::string> lines;
};

class BreakLines : public testing::TestWithParam<LinesCase> { };

TEST_P(BreakLines, AtBlanksWithWholeWords)
{
    const LinesCase &c = GetParam();
    const std::string_view text(c.text);
    std::vector<std::string> got;
    for (const LineSpan &line :
        breakLines(text, c.width, [](std::string_view s) { return int(s.size()); }))
        got.emplace_back(text.substr(line.start, line.length));
    EXPECT_EQ(got, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, BreakLines,
    testing::Values(LinesCase { "", 10, {} }, LinesCase { "Email:", 10, { "Email:" } },
        LinesCase { "How to use Orvanel:", 10, { "How to use", "Orvanel:" } },
        // A word wider than the label stands alone and is cut when drawn.
        LinesCase { "a dev@example.org b", 6, { "a", "dev@example.org", "b" } },
        LinesCase { "dev@example.org", 6, { "dev@example.org" } },
        // Blanks inside a line are kept; where a line breaks they are dropped.
        LinesCase { "block %   Calculate all", 9, { "block %", "Calculate", "all" } },
        LinesCase { "ab   cd", 7, { "ab   cd" } }));

} // namespace
} // namespace orvanel::platform
