#include "frmorvix.h"

#include "max_block_dex.h"
#include "message_box.h"
#include "program.h"
#include "qt_text.h"
#include "window_slot.h"

#include <QCloseEvent>
#include <QLineEdit>

namespace orvanel {

using platform::toQString;

frmorvix::frmorvix(platform::MessageBoxHost &messages, platform::WindowSlot &helpWindow,
    platform::WindowSlot &aboutWindow)
    : Form(frmorvixDescription())
    , m_messages(messages)
    , m_helpWindow(helpWindow)
    , m_aboutWindow(aboutWindow)
{
    onClick("cmdcontinue", [this] { cmdcontinue_Click(); });
    onClick("mnuclear", [this] { mnuclear_Click(); });
    onClick("mnuexit", [this] { mnuexit_Click(); });
    onClick("helpa", [this] { helpa_Click(); });
    onClick("bout", [this] { bout_Click(); });
}

void frmorvix::cmdcontinue_Click()
{
    auto *level = control<QLineEdit>("txtcharlvl");
    const DexCalcOutcome outcome = CalcMaxBlockDex(
        control<QLineEdit>("txtSB")->text().toStdString(), level->text().toStdString());

    if (outcome.notice != DexNotice::None)
        m_messages.showMessage(this, toQString(noticeText(outcome.notice)));
    if (outcome.levelReplaced)
        level->setText(toQString(replacementLevelText));
    if (outcome.failure != DexFailure::None)
        m_messages.showMessage(this, toQString(failureText(outcome.failure)));
    if (outcome.result)
        control<QLineEdit>("txtmax")->setText(
            QString::fromStdString(gameIntToText(*outcome.result)));
}

void frmorvix::mnuclear_Click()
{
    for (const char *box : { "txtmax", "txtcharlvl", "txtSB" })
        control<QLineEdit>(box)->clear();
    control<QLineEdit>("txtSB")->setFocus();
}

void frmorvix::mnuexit_Click()
{
    platform::endProgram();
}

void frmorvix::helpa_Click()
{
    m_helpWindow.show();
}

void frmorvix::bout_Click()
{
    m_aboutWindow.show();
}

void frmorvix::closeEvent(QCloseEvent *event)
{
    event->accept();
    platform::endProgram();
}

} // namespace orvanel
