// Build-time helper: writes, for each face the site ships, the characters the
// program's windows draw in it, so that its fonts can be cut down to them.
//
//   orvanel-web-font-texts FOLDER FACE...   writes FOLDER/FACE.txt and
//                                           FOLDER/FACE.first.txt for each FACE
//
// Faces that draw what the user types, menus, message boxes and the page's own
// texts also get all of Latin-1. A window drawing in a face not named fails
// the build, as the site would have no font for it.
//
// FACE.first.txt holds what the start-up window draws in the face before the
// program runs: its title, its menu bar, its controls' texts, the close box,
// and the characters of a number typed into its text boxes. The page brings
// that much of the face with it; it is empty for a face the window does not
// draw in.

#include "app/forms.h"
#include "platform/web/web_fonts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using orvanel::platform::WebFace;

// Code points, read from UTF-8 that the descriptions are written in.
std::set<char32_t> codePoints(const std::string &text)
{
    std::set<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        points.insert(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

std::string utf8(char32_t point)
{
    std::string out;
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace orvanel::platform;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER FACE...\n", argv[0]);
        return 2;
    }
    std::map<std::string, std::set<char32_t>> faces;
    const auto draw = [&](const WebFace &face, const std::string &text) {
        faces[std::string(face.file)].merge(codePoints(text));
    };
    const auto latin1 = [&](const WebFace &face) {
        std::string all;
        for (char32_t c = 0x20; c <= 0xFF; ++c) {
            if (c < 0x7F || c >= 0xA0)
                all += utf8(c);
        }
        draw(face, all);
    };

    std::map<std::string, std::set<char32_t>> first;
    const FormDescription start = orvanel::programForms().front().describe();
    const auto drawFirst = [&](const WebFace &face, const std::string &text) {
        first[std::string(face.file)].merge(codePoints(text));
    };
    drawFirst(captionFace(), start.title);
    drawFirst(menuFace(), "\u00D7"); // the close box
    for (const MenuEntryDescription &entry : start.menuBar)
        drawFirst(menuFace(), entry.text);
    for (const ControlDescription &c : start.controls) {
        const WebFace face = webFace(c.font ? *c.font : start.defaultFont);
        drawFirst(face, c.text);
        if (c.kind == ControlKind::TextBox)
            drawFirst(face, "0123456789.,+-");
    }

    latin1(menuFace());
    for (const FormDescription &form : orvanel::allFormDescriptions()) {
        draw(captionFace(), form.title);
        for (const ControlDescription &c : form.controls) {
            const WebFace face = webFace(c.font ? *c.font : form.defaultFont);
            draw(face, c.text);
            if (c.kind == ControlKind::TextBox)
                latin1(face);
        }
    }

    int status = 0;
    const std::string folder = argv[1];
    const std::vector<std::string> shipped(argv + 2, argv + argc);
    for (const auto &[face, points] : faces) {
        if (std::find(shipped.begin(), shipped.end(), face) == shipped.end()) {
            std::fprintf(stderr, "The windows draw in the face %s, which the site does not ship\n",
                face.c_str());
            status = 1;
        }
    }
    const auto write = [&](const std::string &file, const std::set<char32_t> &points) {
        std::ofstream out(folder + "/" + file, std::ios::binary);
        for (char32_t point : points) {
            if (point >= 0x20)
                out << utf8(point);
        }
        if (!out) {
            std::fprintf(stderr, "Could not write %s/%s\n", folder.c_str(), file.c_str());
            status = 1;
        }
    };
    for (const std::string &face : shipped) {
        write(face + ".txt", faces[face]);
        write(face + ".first.txt", first[face]);
    }
    return status;
}
