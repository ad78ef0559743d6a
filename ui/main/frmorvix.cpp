#include "frmorvix.h"

#include "max_block_dex.h"

namespace orvanel {

frmorvix::frmorvix(
    platform::Runtime &runtime, platform::WindowSlot &helpWindow, platform::WindowSlot &aboutWindow)
    : Form(runtime, frmorvixDescription())
    , m_helpWindow(helpWindow)
    , m_aboutWindow(aboutWindow)
{
    platform::Window &w = window();
    w.onClick("cmdcontinue", [this] { cmdcontinue_Click(); });
    w.onClick("mnuclear", [this] { mnuclear_Click(); });
    w.onClick("mnuexit", [this] { mnuexit_Click(); });
    w.onClick("helpa", [this] { helpa_Click(); });
    w.onClick("bout", [this] { bout_Click(); });
    // The close box ends the program like File > Exit, so that no hidden
    // window keeps it running.
    w.onCloseBox([this] { mnuexit_Click(); });
}

void frmorvix::cmdcontinue_Click()
{
    platform::Window &w = window();
    const DexCalcOutcome outcome = CalcMaxBlockDex(w.text("txtSB"), w.text("txtcharlvl"));

    if (outcome.notice != DexNotice::None)
        runtime().showMessage(&w, noticeText(outcome.notice));
    if (outcome.levelReplaced)
        w.setText("txtcharlvl", replacementLevelText);
    if (outcome.failure != DexFailure::None)
        runtime().showMessage(&w, failureText(outcome.failure));
    if (outcome.result)
        w.setText("txtmax", gameIntToText(*outcome.result));
}

void frmorvix::mnuclear_Click()
{
    platform::Window &w = window();
    for (const char *box : { "txtmax", "txtcharlvl", "txtSB" })
        w.setText(box, "");
    w.setFocus("txtSB");
}

void frmorvix::mnuexit_Click()
{
    runtime().endProgram();
}

void frmorvix::helpa_Click()
{
    m_helpWindow.show();
}

void frmorvix::bout_Click()
{
    m_aboutWindow.show();
}

} // namespace orvanel
