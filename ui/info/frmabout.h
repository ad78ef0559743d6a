#pragma once

#include "form.h"

namespace orvanel {

platform::FormDescription frmaboutDescription();

// The program's name, version and purpose, and where to write; Close hides it.
class frmabout : public platform::Form {
    Q_OBJECT

public:
    explicit frmabout(QWidget *parent = nullptr);

    void Command1_Click();
};

} // namespace orvanel
