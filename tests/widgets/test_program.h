#pragma once

// The program on the Qt runtime, as the widget tests look at it.

#include "app/program.h"
#include "platform/qt/qt_runtime.h"
#include "platform/qt/qt_window.h"

#include <QLineEdit>
#include <QTest>

struct TestProgram {
    int argc = 0;
    orvanel::platform::QtRuntime runtime { argc, nullptr, orvanel::applicationTitle };
    orvanel::Program program { runtime };
    orvanel::platform::QtWindow &window
        = dynamic_cast<orvanel::platform::QtWindow &>(program.main.window());

    // A window of the program by its name, once it exists.
    orvanel::platform::QtWindow *form(const char *name)
    {
        orvanel::platform::Form *f = program.form(name);
        return f ? dynamic_cast<orvanel::platform::QtWindow *>(&f->window()) : nullptr;
    }

    bool showActive()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
};
