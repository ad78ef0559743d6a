// The Windows icon file and the compiled resource script: the version block's
// fields, and the icon's format and pixels.
//   ORVANEL_ICO  the icon file made by the build
//   ORVANEL_RES  the resource script compiled by windres (the test is skipped
//                without it)

#include "tests/common/icon_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const char *variable)
{
    const char *path = std::getenv(variable);
    if (!path)
        return {};
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t u16(const Bytes &b, std::size_t at)
{
    return b.at(at) | (b.at(at + 1) << 8);
}
std::uint32_t u32(const Bytes &b, std::size_t at)
{
    return u16(b, at) | (u16(b, at + 2) << 16);
}
std::size_t align4(std::size_t at)
{
    return (at + 3) & ~std::size_t { 3 };
}

// Reads a zero-terminated UTF-16 string of ASCII characters; moves past it.
std::string utf16(const Bytes &b, std::size_t &at)
{
    std::string text;
    for (std::uint32_t c = u16(b, at); c != 0; c = u16(b, at)) {
        text += static_cast<char>(c);
        at += 2;
    }
    at += 2;
    return text;
}

// Checks a 32 × 32 device-independent bitmap in 16 colours with its mask, as
// icons hold it, against the picture.
void expectIconBitmap(const Bytes &b, std::size_t at)
{
    ASSERT_EQ(u32(b, at), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(u32(b, at + 4), 32u);
    EXPECT_EQ(u32(b, at + 8), 64u); // colour and mask
    EXPECT_EQ(u16(b, at + 12), 1u);
    ASSERT_EQ(u16(b, at + 14), 4u); // bits per pixel
    EXPECT_EQ(u32(b, at + 16), 0u); // not compressed
    const std::size_t palette = at + 40;
    auto colourOf = [&](int index) { return u32(b, palette + 4 * std::size_t(index)) & 0xffffff; };
    const std::size_t pixels = palette + 16 * 4;
    const std::size_t mask = pixels + 32 * 16;
    ASSERT_LE(mask + 32 * 4, b.size());

    const auto picture = icon_picture::expected();
    for (int y = 0; y < 32; ++y) {
        const std::size_t row = std::size_t(31 - y); // stored bottom-up
        for (int x = 0; x < 32; ++x) {
            const std::uint8_t pair = b[pixels + row * 16 + std::size_t(x / 2)];
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0xf;
            const bool transparent = (b[mask + row * 4 + std::size_t(x / 8)] >> (7 - x % 8)) & 1;
            icon_picture::Pixel got = icon_picture::Other;
            if (transparent && colourOf(index) == 0)
                got = icon_picture::Clear;
            else if (!transparent && colourOf(index) == 0x000000)
                got = icon_picture::Black;
            else if (!transparent && colourOf(index) == 0xffffff)
                got = icon_picture::White;
            EXPECT_EQ(got, picture[y][x]) << "x " << x << ", y " << y;
        }
    }
}

struct Resource {
    std::uint32_t type = 0;
    Bytes data;
};

// The entries of a compiled .res file whose type is a number.
std::vector<Resource> readResources(const Bytes &b)
{
    std::vector<Resource> resources;
    std::size_t at = 0;
    while (at + 8 <= b.size()) {
        const std::uint32_t dataSize = u32(b, at);
        const std::uint32_t headerSize = u32(b, at + 4);
        Resource resource;
        if (u16(b, at + 8) == 0xffff)
            resource.type = u16(b, at + 10);
        const std::size_t data = at + headerSize;
        resource.data.assign(
            b.begin() + std::ptrdiff_t(data), b.begin() + std::ptrdiff_t(data + dataSize));
        if (dataSize > 0)
            resources.push_back(std::move(resource));
        at = align4(data + dataSize);
    }
    return resources;
}

// Walks a version block's tree and gathers its text values by key.
void collectStrings(
    const Bytes &b, std::size_t at, std::size_t end, std::map<std::string, std::string> &strings)
{
    while (at + 6 <= end) {
        const std::size_t length = u16(b, at);
        if (length == 0)
            return;
        const std::size_t valueLength = u16(b, at + 2);
        const bool text = u16(b, at + 4) == 1;
        std::size_t cursor = at + 6;
        const std::string key = utf16(b, cursor);
        cursor = align4(cursor);
        if (text && valueLength > 0) {
            std::size_t valueAt = cursor;
            strings[key] = utf16(b, valueAt);
            cursor = align4(cursor + valueLength * 2);
        } else {
            cursor = align4(cursor + valueLength);
        }
        collectStrings(b, cursor, at + length, strings);
        at = align4(at + length);
    }
}

TEST(WindowsIcon, IsOne32PixelImageIn16ColoursWithAMask)
{
    const Bytes ico = readFile("ORVANEL_ICO");
    ASSERT_GE(ico.size(), 22u) << "set ORVANEL_ICO to the icon file";
    EXPECT_EQ(u16(ico, 0), 0u);
    EXPECT_EQ(u16(ico, 2), 1u); // an icon
    ASSERT_EQ(u16(ico, 4), 1u); // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16); // colours
    EXPECT_EQ(u16(ico, 12), 4u); // bits per pixel
    EXPECT_EQ(u32(ico, 14) + u32(ico, 18), ico.size());
    expectIconBitmap(ico, u32(ico, 18));
}

class CompiledResources : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("ORVANEL_RES"))
            GTEST_SKIP() << "no resource compiler: the compiled resource script is not checked";
        resources = readResources(readFile("ORVANEL_RES"));
    }

    std::optional<Resource> first(std::uint32_t type) const
    {
        for (const Resource &r : resources) {
            if (r.type == type)
                return r;
        }
        return std::nullopt;
    }

    std::vector<Resource> resources;
};

constexpr std::uint32_t iconType = 3, iconGroupType = 14, versionType = 16;

TEST_F(CompiledResources, VersionBlockNamesTheProgramAndItsVersion)
{
    const auto version = first(versionType);
    ASSERT_TRUE(version);
    const Bytes &b = version->data;
    std::size_t at = 6;
    EXPECT_EQ(utf16(b, at), "VS_VERSION_INFO");
    at = align4(at);
    ASSERT_EQ(u32(b, at), 0xfeef04bdu); // VS_FIXEDFILEINFO
    EXPECT_EQ(u32(b, at + 8), 0x00010000u); // file version 1.0
    EXPECT_EQ(u32(b, at + 12), 0x00000000u); // .0.0
    EXPECT_EQ(u32(b, at + 16), 0x00010000u); // product version 1.0
    EXPECT_EQ(u32(b, at + 20), 0x00000000u);

    std::map<std::string, std::string> strings;
    collectStrings(b, 0, b.size(), strings);
    EXPECT_EQ(strings["FileVersion"], "1.00");
    EXPECT_EQ(strings["ProductVersion"], "1.00");
    EXPECT_EQ(strings["ProductName"], "Orvix");
    EXPECT_EQ(strings["InternalName"], "Orvanel");
}

TEST_F(CompiledResources, IconIsThe16ColourPicture)
{
    const auto group = first(iconGroupType);
    ASSERT_TRUE(group);
    EXPECT_EQ(u16(group->data, 4), 1u); // one image
    EXPECT_EQ(group->data.at(6), 32);
    EXPECT_EQ(u16(group->data, 12), 4u); // bits per pixel
    const auto icon = first(iconType);
    ASSERT_TRUE(icon);
    expectIconBitmap(icon->data, 0);
}

} // namespace
