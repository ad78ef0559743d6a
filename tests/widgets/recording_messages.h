#pragma once

#include "message_box.h"

#include <QStringList>

#include <functional>

// Stands in for the modal box: records each message, and lets a test look at
// the windows at the moment the message is shown.
class RecordingMessages final : public orvanel::platform::MessageBoxHost {
public:
    void showMessage(QWidget *, const QString &text) override
    {
        texts << text;
        if (whileShown)
            whileShown();
    }

    QStringList texts;
    std::function<void()> whileShown;
};
