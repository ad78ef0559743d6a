#pragma once

// The application icon as it should look, read from its source picture
// (res/orvanel.xpm, whose path ORVANEL_ICON_XPM gives): each pixel transparent,
// black, white or anything else. An unreadable picture reads as all Other, so
// that every comparison with it fails.

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace icon_picture {

enum Pixel { Clear, Black, White, Other };

using Picture = std::array<std::array<Pixel, 32>, 32>;

inline Picture expected()
{
    Picture picture {};
    for (auto &row : picture)
        row.fill(Other);
    std::ifstream file(ORVANEL_ICON_XPM);
    std::vector<std::string> strings; // the quoted strings, in order
    for (std::string line; std::getline(file, line);) {
        const auto open = line.find('"');
        const auto close = line.rfind('"');
        if (open != std::string::npos && close > open)
            strings.push_back(line.substr(open + 1, close - open - 1));
    }
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (strings.empty()
        || std::sscanf(strings[0].c_str(), "%d %d %d %d", &width, &height, &colours, &perPixel) != 4
        || width != 32 || height != 32 || perPixel != 1
        || strings.size() != std::size_t(1 + colours + height))
        return picture;
    const std::map<std::string, Pixel> named { { "None", Clear }, { "#000000", Black },
        { "#FFFFFF", White } };
    std::map<char, Pixel> key;
    for (int i = 1; i <= colours; ++i) {
        const std::string &entry = strings[std::size_t(i)];
        const auto found = named.find(entry.substr(entry.rfind(' ') + 1));
        key[entry[0]] = found == named.end() ? Other : found->second;
    }
    for (int y = 0; y < 32; ++y) {
        const std::string &row = strings[std::size_t(1 + colours + y)];
        for (int x = 0; x < 32 && std::size_t(x) < row.size(); ++x)
            picture[y][x] = key.count(row[std::size_t(x)]) ? key[row[std::size_t(x)]] : Other;
    }
    return picture;
}

} // namespace icon_picture
