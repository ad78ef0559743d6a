#include "ui/info/frmhelp.h"

namespace orvanel {

using namespace platform;

FormDescription frmhelpDescription()
{
    return {
        .name = "frmhelp",
        .title = "Help",
        .clientWidthTwips = 6195,
        .clientHeightTwips = 4320,
        .defaultFont = { "MS Sans Serif", 8.25 },
        .controls = {
            { .kind = ControlKind::Label, .name = "Label1", .text = "HELP!",
                .rect = { 2280, 120, 1575, 615 }, .tabIndex = 0,
                .font = FontDescription { "OCR A Extended", 24, true, true },
                .textColour = Rgb { 255, 0, 0 } },
            { .kind = ControlKind::Label, .name = "Label2", .text = "How to use Orvanel:",
                .rect = { 1560, 720, 2895, 255 }, .tabIndex = 1 },
            { .kind = ControlKind::Label, .name = "Label3",
                .text = "To begin Find your Character's block percentage. To do this look at your "
                        "character's Items/skills to find: A) a sheild block percentage (or use "
                        "sheild list in main menu) B) Any Items that have +block on them C) for "
                        "assasin's the skill weapon block %   Calculate all these and put that "
                        "number into block percentage text box.",
                .rect = { 240, 1200, 5775, 1095 }, .tabIndex = 2 },
            { .kind = ControlKind::Label, .name = "Label4",
                .text = "Second thing to do is to add the character level of your character that "
                        "you wish to find out what dexterity is needed for max block.",
                .rect = { 240, 2400, 5775, 735 }, .tabIndex = 3 },
            { .kind = ControlKind::Label, .name = "Label5",
                .text = "Finally just click the continue button to find out the dexterity "
                        "required for max block",
                .rect = { 240, 3240, 5775, 735 }, .tabIndex = 4 },
            { .kind = ControlKind::PushButton, .name = "cmdclose", .text = "Close",
                .rect = { 2280, 3720, 1695, 495 }, .tabIndex = 5 },
        },
    };
}

frmhelp::frmhelp(platform::Runtime &runtime)
    : Form(runtime, frmhelpDescription())
{
    window().command("cmdclose").onClick([this] { cmdclose_Click(); });
}

void frmhelp::cmdclose_Click()
{
    window().hide();
}

} // namespace orvanel
