#pragma once

// The application icon as it should look, row by row: a white cross outlined
// in black on a transparent ground, each arm ending in a round knob.

#include <array>
#include <vector>

namespace icon_picture {

enum Pixel { Clear, Black, White, Other };

using Picture = std::array<std::array<Pixel, 32>, 32>;

inline Picture expected()
{
    struct Run {
        Pixel colour;
        int first;
        int last;
    };
    using Row = std::vector<Run>;
    const Row knob = { { Black, 11, 11 }, { White, 12, 18 }, { Black, 19, 19 } };
    const Row narrowKnob = { { Black, 12, 12 }, { White, 13, 17 }, { Black, 18, 18 } };
    const Row shaft = { { Black, 13, 13 }, { White, 14, 16 }, { Black, 17, 17 } };
    const Row armEnds = { { Black, 5, 7 }, { Black, 13, 13 }, { White, 14, 16 }, { Black, 17, 17 },
        { Black, 23, 25 } };
    const Row armTips
        = { { Black, 4, 4 }, { White, 5, 7 }, { Black, 8, 8 }, { Black, 13, 13 }, { White, 14, 16 },
              { Black, 17, 17 }, { Black, 22, 22 }, { White, 23, 25 }, { Black, 26, 26 } };
    const Row armEdge = { { Black, 3, 3 }, { White, 4, 8 }, { Black, 9, 13 }, { White, 14, 16 },
        { Black, 17, 21 }, { White, 22, 26 }, { Black, 27, 27 } };
    const Row bar = { { Black, 3, 3 }, { White, 4, 26 }, { Black, 27, 27 } };

    std::vector<Row> rows(32);
    rows[0] = { { Black, 14, 16 } };
    rows[1] = shaft;
    rows[2] = narrowKnob;
    rows[3] = rows[4] = rows[5] = knob;
    rows[6] = narrowKnob;
    rows[7] = shaft;
    rows[8] = armEnds;
    rows[9] = armTips;
    rows[10] = armEdge;
    rows[11] = rows[12] = rows[13] = bar;
    rows[14] = armEdge;
    rows[15] = armTips;
    rows[16] = armEnds;
    for (int r = 17; r <= 25; ++r)
        rows[r] = shaft;
    rows[26] = narrowKnob;
    rows[27] = rows[28] = rows[29] = knob;
    rows[30] = narrowKnob;
    rows[31] = { { Black, 13, 17 } };

    Picture picture {};
    for (auto &row : picture)
        row.fill(Clear);
    for (int r = 0; r < 32; ++r) {
        for (const Run &run : rows[r]) {
            for (int c = run.first; c <= run.last; ++c)
                picture[r][c] = run.colour;
        }
    }
    return picture;
}

} // namespace icon_picture
