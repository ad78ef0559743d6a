#pragma once

#include "platform/runtime.h"

#include <QString>

#include <memory>

class QApplication;
class QWidget;

namespace orvanel::platform {

// Prepares the application before its first window: the widget style and the
// stand-in fonts.
void prepareApplication(QApplication &application);

// The runtime on Qt Widgets. It uses the application object that exists, or
// makes one of its own.
class QtRuntime final : public Runtime {
public:
    QtRuntime(int &argc, char **argv, std::string_view applicationTitle);
    ~QtRuntime() override;

    std::unique_ptr<Window> createWindow(const FormDescription &description) override;
    void showMessage(Window *owner, std::string_view text) override;
    void endProgram() override;
    int run() override;

    const QString &applicationTitle() const { return m_applicationTitle; }

private:
    std::unique_ptr<QApplication> m_ownApplication;
    QString m_applicationTitle;
};

} // namespace orvanel::platform
