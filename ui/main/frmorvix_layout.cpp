#include "ui/main/frmorvix.h"
#include "ui/main/shield_table.h"

namespace orvanel {

using namespace platform;

namespace {

const FontDescription boxFont { "MS Sans Serif", 9.75 };
const FontDescription resultFont { "MS Sans Serif", 9.75, true };

std::vector<MenuEntryDescription> shieldMenu()
{
    std::vector<MenuEntryDescription> shields;
    for (const ShieldEntry &shield : ShieldTable()) {
        MenuEntryDescription entry { .text = std::string(shield.name) };
        for (std::string_view value : shield.values)
            entry.submenu.push_back({ .text = std::string(value), .enabled = false });
        shields.push_back(std::move(entry));
    }
    return shields;
}

} // namespace

FormDescription frmorvixDescription()
{
    return {
        .name = "frmorvix",
        .title = "Orvanel",
        .clientWidthTwips = 4530,
        .clientHeightTwips = 3015,
        .placement = Placement::CentreOfScreen,
        .defaultFont = { "MS Sans Serif", 8.25 },
        .applicationIcon = true,
        .controls = {
            { .kind = ControlKind::Label, .name = "Label1", .text = "Block percentage",
                .rect = { 120, 120, 1455, 255 }, .tabIndex = 3 },
            { .kind = ControlKind::TextBox, .name = "txtSB", .rect = { 480, 375, 495, 360 },
                .tabIndex = 0, .font = boxFont, .label = "Label1" },
            { .kind = ControlKind::Label, .name = "Label3", .text = "%",
                .rect = { 1080, 480, 375, 255 }, .tabIndex = 8, .font = boxFont },
            { .kind = ControlKind::Label, .name = "Label2", .text = "Character Level",
                .rect = { 1800, 120, 1335, 255 }, .tabIndex = 4 },
            { .kind = ControlKind::TextBox, .name = "txtcharlvl", .rect = { 1800, 360, 1095, 375 },
                .tabIndex = 1, .font = boxFont, .label = "Label2" },
            { .kind = ControlKind::PushButton, .name = "cmdcontinue", .text = "Continue",
                .rect = { 3120, 360, 1335, 375 }, .tabIndex = 2 },
            { .kind = ControlKind::Frame, .name = "fmdisp", .text = "Dex For Max Block",
                .rect = { 120, 960, 4335, 1695 }, .tabIndex = 5 },
            { .kind = ControlKind::Label, .name = "lblnote",
                .text = "Requried Dexterity For Max Block is", .rect = { 240, 720, 3255, 375 },
                .tabIndex = 6, .font = boxFont, .container = "fmdisp" },
            { .kind = ControlKind::TextBox, .name = "txtmax", .rect = { 3480, 600, 615, 405 },
                .tabIndex = 7, .font = resultFont, .container = "fmdisp",
                .label = "lblnote", .announced = true },
            { .kind = ControlKind::Label, .name = "Label4", .text = "Vesion 1.0.0",
                .rect = { 3600, 2760, 1455, 255 }, .tabIndex = 9 },
        },
        .menuBar = {
            { .name = "mnufile", .text = "&File",
                .submenu = {
                    { .name = "mnuclear", .text = "&Clear", .shortcut = "F2" },
                    { .name = "mnuexit", .text = "E&xit" },
                } },
            { .name = "mnusl", .text = "&Sheild List", .submenu = shieldMenu() },
            { .name = "help", .text = "&Help",
                .submenu = {
                    { .name = "helpa", .text = "Help" },
                    { .name = "bout", .text = "About Orvanel" },
                } },
        },
    };
}

} // namespace orvanel
