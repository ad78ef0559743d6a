#pragma once

// The program as the tests drive it: the main window with its two information
// window slots, and messages recorded instead of shown.

#include "frmabout.h"
#include "frmhelp.h"
#include "frmorvix.h"
#include "recording_messages.h"
#include "window_slot.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

struct TestProgram {
    RecordingMessages messages;
    orvanel::platform::WindowSlot help { [] { return std::make_unique<orvanel::frmhelp>(); } };
    orvanel::platform::WindowSlot about { [] { return std::make_unique<orvanel::frmabout>(); } };
    orvanel::frmorvix window { messages, help, about };

    QLineEdit *box(const char *name) { return window.control<QLineEdit>(name); }

    // The Help or About window, once it exists.
    orvanel::platform::Form *form(const char *which)
    {
        return static_cast<orvanel::platform::Form *>(
            QString(which) == "help" ? help.instance() : about.instance());
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // Types fresh texts into the block and level boxes.
    void type(const QString &block, const QString &level)
    {
        box("txtSB")->setText(QString());
        box("txtcharlvl")->setText(QString());
        QTest::keyClicks(box("txtSB"), block);
        QTest::keyClicks(box("txtcharlvl"), level);
    }

    void pressContinue()
    {
        QTest::mouseClick(window.control<QPushButton>("cmdcontinue"), Qt::LeftButton);
    }
};
