#include "ui/info/frmabout.h"

namespace orvanel {

using namespace platform;

FormDescription frmaboutDescription()
{
    return {
        .name = "frmabout",
        .title = "Form1",
        .clientWidthTwips = 4245,
        .clientHeightTwips = 3690,
        .defaultFont = { "MS Sans Serif", 8.25 },
        .controls = {
            { .kind = ControlKind::Label, .name = "lblabout", .text = "About",
                .rect = { 1440, 0, 1335, 615 }, .tabIndex = 0,
                .font = FontDescription { "Old English Text MT", 24, true } },
            { .kind = ControlKind::Label, .name = "Label1", .text = "Orvanel",
                .rect = { 840, 480, 2535, 255 }, .tabIndex = 1,
                .font = FontDescription { "MS Sans Serif", 8.25, true } },
            { .kind = ControlKind::Label, .name = "Label2", .text = "Version 1.0.0",
                .rect = { 3120, 120, 1095, 255 }, .tabIndex = 2 },
            { .kind = ControlKind::Label, .name = "Label3",
                .text = "Just a basic program to help find the required dexterity for max block, "
                        "with out wasting stat points on dex that are not needed.",
                .rect = { 480, 1200, 3375, 735 }, .tabIndex = 3 },
            { .kind = ControlKind::Label, .name = "Label4", .text = ORVANEL_CONTACT_EMAIL,
                .rect = { 1080, 3120, 1335, 255 }, .tabIndex = 4 },
            { .kind = ControlKind::Label, .name = "Label5",
                .text = "Please Feel free to contact me, with suggestions or idea's. Any feedback "
                        "is good feedback",
                .rect = { 360, 2520, 3615, 495 }, .tabIndex = 5 },
            { .kind = ControlKind::Label, .name = "Label7", .text = "Email:",
                .rect = { 600, 3120, 495, 255 }, .tabIndex = 6 },
            { .kind = ControlKind::PushButton, .name = "Command1", .text = "&Close",
                .rect = { 3000, 3240, 1215, 255 }, .tabIndex = 7 },
            { .kind = ControlKind::Label, .name = "Label6",
                .text = "Found a problem? Report it! Plz email me.",
                .rect = { 360, 2040, 3735, 255 }, .tabIndex = 8 },
        },
    };
}

frmabout::frmabout(platform::Runtime &runtime)
    : Form(runtime, frmaboutDescription())
{
    window().command("Command1").onClick([this] { Command1_Click(); });
}

void frmabout::Command1_Click()
{
    window().hide();
}

} // namespace orvanel
