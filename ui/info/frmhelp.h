#pragma once

#include "form.h"

namespace orvanel {

platform::FormDescription frmhelpDescription();

// Three steps on how to use the program; Close hides the window.
class frmhelp : public platform::Form {
    Q_OBJECT

public:
    explicit frmhelp(QWidget *parent = nullptr);

    void cmdclose_Click();
};

} // namespace orvanel
