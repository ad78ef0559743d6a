// Makes the application icon's files from its XPM picture, at build time:
//   icongen png SOURCE.xpm FACTOR OUT.png   scaled by a whole factor, pixels kept sharp
//   icongen ico SOURCE.xpm OUT.ico          32 × 32 in 16 colours with a transparency mask
//
// Standard C++ only, so that a cross build can make the icon with the host's
// compiler. It reads the XPM pictures this project writes: one character a
// pixel, colours given as "c #RRGGBB" or "c None".

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    const Rgba &at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};

// The standard 16-colour palette; the picture uses black (0) and white (15).
constexpr std::array<std::uint32_t, 16> palette16
    = { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0, 0x808080,
          0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff };

int nearestPaletteIndex(const Rgba &c)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = long(c.r) - long((palette16[std::size_t(i)] >> 16) & 0xff);
        const long dg = long(c.g) - long((palette16[std::size_t(i)] >> 8) & 0xff);
        const long db = long(c.b) - long(palette16[std::size_t(i)] & 0xff);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// The quoted strings of an XPM file, in order.
std::vector<std::string> xpmStrings(const std::string &text)
{
    std::vector<std::string> strings;
    bool inComment = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (inComment) {
            if (text.compare(i, 2, "*/") == 0) {
                inComment = false;
                ++i;
            }
        } else if (text.compare(i, 2, "/*") == 0) {
            inComment = true;
            ++i;
        } else if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string::npos)
                break;
            strings.push_back(text.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return strings;
}

bool readXpm(const char *path, Image &image)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::vector<std::string> strings = xpmStrings(text);
    int colours = 0, perPixel = 0;
    if (strings.empty()
        || std::sscanf(
               strings[0].c_str(), "%d %d %d %d", &image.width, &image.height, &colours, &perPixel)
            != 4
        || perPixel != 1 || image.width <= 0 || image.height <= 0
        || strings.size() < std::size_t(1 + colours + image.height))
        return false;

    std::map<char, Rgba> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string &entry = strings[std::size_t(i)];
        const std::size_t c = entry.find(" c ", 1);
        if (entry.empty() || c == std::string::npos)
            return false;
        const std::string value = entry.substr(c + 3);
        unsigned rgb = 0;
        if (value == "None")
            palette[entry[0]] = Rgba {};
        else if (std::sscanf(value.c_str(), "#%6x", &rgb) == 1)
            palette[entry[0]]
                = Rgba { std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb), 255 };
        else
            return false;
    }
    for (int y = 0; y < image.height; ++y) {
        const std::string &row = strings[std::size_t(1 + colours + y)];
        if (row.size() != std::size_t(image.width))
            return false;
        for (char key : row) {
            const auto found = palette.find(key);
            if (found == palette.end())
                return false;
            image.pixels.push_back(found->second);
        }
    }
    return true;
}

void append16(Bytes &out, std::uint32_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}
void append32(Bytes &out, std::uint32_t value)
{
    append16(out, value & 0xffff);
    append16(out, value >> 16);
}
void append32BigEndian(Bytes &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

// A Windows icon file holding one 4-bit image: the colour pixels bottom-up,
// then the mask (1 = transparent), each row padded to four bytes.
Bytes makeIco(const Image &image)
{
    const int size = image.width;
    const int colourRow = ((size * 4 + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    Bytes dib;
    append32(dib, 40); // BITMAPINFOHEADER
    append32(dib, std::uint32_t(size));
    append32(dib, std::uint32_t(size * 2)); // colour and mask together
    append16(dib, 1);
    append16(dib, 4);
    append32(dib, 0); // no compression
    append32(dib, std::uint32_t(size * (colourRow + maskRow)));
    append32(dib, 0);
    append32(dib, 0);
    append32(dib, 16);
    append32(dib, 0);
    for (std::uint32_t colour : palette16) {
        dib.push_back(std::uint8_t(colour));
        dib.push_back(std::uint8_t(colour >> 8));
        dib.push_back(std::uint8_t(colour >> 16));
        dib.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(std::size_t(colourRow), 0);
        for (int x = 0; x < size; ++x) {
            const Rgba &pixel = image.at(x, y);
            const int index = pixel.a == 0 ? 0 : nearestPaletteIndex(pixel);
            row[std::size_t(x / 2)] |= std::uint8_t(x % 2 == 0 ? index << 4 : index);
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(std::size_t(maskRow), 0);
        for (int x = 0; x < size; ++x) {
            if (image.at(x, y).a == 0)
                row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }

    Bytes ico;
    append16(ico, 0);
    append16(ico, 1); // an icon
    append16(ico, 1); // one image
    ico.push_back(std::uint8_t(size));
    ico.push_back(std::uint8_t(size));
    ico.push_back(16); // colours
    ico.push_back(0);
    append16(ico, 1); // planes
    append16(ico, 4); // bits per pixel
    append32(ico, std::uint32_t(dib.size()));
    append32(ico, 6 + 16);
    ico.insert(ico.end(), dib.begin(), dib.end());
    return ico;
}

std::uint32_t crc32(const Bytes &data, std::size_t from)
{
    std::uint32_t crc = 0xffffffff;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void appendChunk(Bytes &png, const char *type, const Bytes &data)
{
    append32BigEndian(png, std::uint32_t(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    append32BigEndian(png, crc32(png, start));
}

// An RGBA PNG scaled by a whole factor, each pixel repeated. The image data is
// a zlib stream of stored (uncompressed) blocks: the icons are small.
Bytes makePng(const Image &image, int factor)
{
    const int width = image.width * factor;
    const int height = image.height * factor;
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const Rgba &p = image.at(x / factor, y / factor);
            raw.insert(raw.end(), { p.r, p.g, p.b, p.a });
        }
    }

    Bytes zlib { 0x78, 0x01 };
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size(); at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        zlib.push_back(at + length == raw.size() ? 1 : 0); // the last block says so
        append16(zlib, std::uint32_t(length));
        append16(zlib, std::uint32_t(~length & 0xffff));
        zlib.insert(zlib.end(), raw.begin() + std::ptrdiff_t(at),
            raw.begin() + std::ptrdiff_t(at + length));
    }
    append32BigEndian(zlib, (b << 16) | a);

    Bytes png { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    Bytes header;
    append32BigEndian(header, std::uint32_t(width));
    append32BigEndian(header, std::uint32_t(height));
    header.insert(header.end(), { 8, 6, 0, 0, 0 }); // 8-bit RGBA, no interlace
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", {});
    return png;
}

bool writeFile(const char *path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

int fail(const char *message)
{
    std::fprintf(stderr, "icongen: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        return fail(
            "usage: icongen png SOURCE.xpm FACTOR OUT.png | icongen ico SOURCE.xpm OUT.ico");
    Image source;
    if (!readXpm(argv[2], source))
        return fail("cannot read the picture");

    const std::string command = argv[1];
    if (command == "png" && argc == 5) {
        const int factor = std::atoi(argv[3]);
        if (factor < 1)
            return fail("the factor must be a whole number of at least 1");
        return writeFile(argv[4], makePng(source, factor)) ? 0 : fail("cannot write the PNG file");
    }
    if (command == "ico" && argc == 4)
        return writeFile(argv[3], makeIco(source)) ? 0 : fail("cannot write the icon file");
    return fail("unknown command");
}
