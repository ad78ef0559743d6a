// The JSON that the web runtime builds its windows from and the description
// dump writes for the browser suite.

#include "platform/description_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace orvanel::platform;

TEST(DescriptionJson, TextsAreQuotedWhole)
{
    const struct {
        std::string text;
        std::string json;
    } table[] = {
        { "Requried", R"("Requried")" },
        { "say \"hi\" \\ there", R"("say \"hi\" \\ there")" },
        { std::string("5\0x", 3), R"("5\u0000x")" },
        { "a\tb\nc\x1f", R"("a\u0009b\u000ac\u001f")" },
        { "\xc2\xa9 2024 \x7f", "\"\xc2\xa9 2024 \x7f\"" },
        { "", R"("")" },
    };
    for (const auto &row : table)
        EXPECT_EQ(json::quoted(row.text), row.json) << row.json;
}

TEST(DescriptionJson, NumbersAreShortAndReadBack)
{
    const struct {
        double value;
        const char *json;
    } table[] = {
        { 8.25, "8.25" },
        { 9.75, "9.75" },
        { 24, "24" },
        { 0, "0" },
        { -0.5, "-0.5" },
        { 0.1, "0.1" },
        { 0.0000001, "0.0000001" },
        { 123456.789, "123456.789" },
        { 1.0 / 3, "0.3333333333333333" },
        { 1e21, "1e21" },
        { std::numeric_limits<double>::quiet_NaN(), "null" },
        { -std::numeric_limits<double>::infinity(), "null" },
    };
    for (const auto &row : table)
        EXPECT_EQ(json::number(row.value), row.json) << row.json;
}

TEST(DescriptionJson, NumbersWithoutAShortFormKeepSeventeenDigits)
{
    for (const double value : { 1e300, -2.5e-300, 0.30000000000000004, 1.7976931348623157e308 }) {
        const std::string text = json::number(value);
        const auto exponent = text.find('e');
        ASSERT_NE(exponent, std::string::npos) << text;
        const std::string digits = text.substr(0, exponent);
        EXPECT_LE(digits.size(), std::string("-1.2345678901234567").size()) << text;
        EXPECT_NEAR(std::strtod(text.c_str(), nullptr) / value, 1.0, 1e-14) << text;
    }
}

TEST(DescriptionJson, ObjectsKeepTheirOrder)
{
    const std::string object = json::Object()
                                   .text("name", "txtSB")
                                   .integer("tabIndex", -3)
                                   .boolean("announced", true)
                                   .add("font", "null")
                                   .str();
    EXPECT_EQ(object, R"({"name": "txtSB", "tabIndex": -3, "announced": true, "font": null})");
    EXPECT_EQ(json::Object().str(), "{}");
    const int none[] = { 0 };
    EXPECT_EQ(json::array(std::vector<int> {}, [](int) { return std::string(); }), "[]");
    EXPECT_EQ(json::array(none, [](int i) { return std::to_string(i); }), "[\n0\n]");
}

TEST(DescriptionJson, AControlSaysItsKindAndTheNameItIsRead)
{
    FormDescription form { .name = "frmtest" };
    form.controls = {
        { .kind = ControlKind::Label, .name = "lblnote", .text = "Level" },
        { .kind = ControlKind::TextBox, .name = "txtin", .label = "lblnote", .announced = true },
        { .kind = ControlKind::PushButton, .name = "cmdgo", .text = "&Go && run" },
        { .kind = ControlKind::Frame, .name = "fmbox", .text = "Box" },
    };
    const struct {
        const char *kind;
        const char *accessibleName;
    } table[] = {
        { R"("kind": "label")", R"("accessibleName": "Level")" },
        { R"("kind": "textBox")", R"("accessibleName": "Level")" },
        { R"("kind": "pushButton")", R"("accessibleName": "Go & run")" },
        { R"("kind": "frame")", R"("accessibleName": "Box")" },
    };
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const std::string control = json::control(form, form.controls[i]);
        EXPECT_NE(control.find(table[i].kind), std::string::npos) << control;
        EXPECT_NE(control.find(table[i].accessibleName), std::string::npos) << control;
    }
    EXPECT_NE(
        json::control(form, form.controls[1]).find(R"("announced": true)"), std::string::npos);
}

} // namespace
