#include "ui/main/frmorvix.h"

#include "calc/max_block_dex.h"

namespace orvanel {

frmorvix::frmorvix(
    platform::Runtime &runtime, platform::WindowSlot &helpWindow, platform::WindowSlot &aboutWindow)
    : Form(runtime, frmorvixDescription())
    , m_helpWindow(helpWindow)
    , m_aboutWindow(aboutWindow)
    , m_txtSB(window().textBox("txtSB"))
    , m_txtcharlvl(window().textBox("txtcharlvl"))
    , m_txtmax(window().textBox("txtmax"))
{
    platform::Window &w = window();
    w.command("cmdcontinue").onClick([this] { cmdcontinue_Click(); });
    w.command("mnuclear").onClick([this] { mnuclear_Click(); });
    w.command("mnuexit").onClick([this] { mnuexit_Click(); });
    w.command("helpa").onClick([this] { helpa_Click(); });
    w.command("bout").onClick([this] { bout_Click(); });
    // The close box ends the program like File > Exit, so that no hidden
    // window keeps it running.
    w.onCloseBox([this] { mnuexit_Click(); });
}

void frmorvix::cmdcontinue_Click()
{
    const DexCalcOutcome outcome = CalcMaxBlockDex(m_txtSB.text(), m_txtcharlvl.text());

    if (outcome.notice != DexNotice::None)
        runtime().showMessage(&window(), noticeText(outcome.notice));
    if (outcome.levelReplaced)
        m_txtcharlvl.setText(replacementLevelText);
    if (outcome.failure != DexFailure::None)
        runtime().showMessage(&window(), failureText(outcome.failure));
    if (outcome.result)
        m_txtmax.setText(gameIntToText(*outcome.result));
}

void frmorvix::mnuclear_Click()
{
    for (const platform::TextBox &box : { m_txtmax, m_txtcharlvl, m_txtSB })
        box.setText("");
    m_txtSB.setFocus();
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
