#pragma once

#include <QString>

class QWidget;

namespace orvanel::platform {

// Where a handler's messages go: a modal box on screen, or a recorder in tests.
class MessageBoxHost {
public:
    virtual ~MessageBoxHost() = default;
    // Shows the text and returns once the user has pressed OK.
    virtual void showMessage(QWidget *owner, const QString &text) = 0;
};

// A modal box with the text, one OK button and no icon, titled with the
// application title.
class ModalMessageBox final : public MessageBoxHost {
public:
    explicit ModalMessageBox(QString applicationTitle);
    void showMessage(QWidget *owner, const QString &text) override;
    const QString &applicationTitle() const { return m_applicationTitle; }

private:
    QString m_applicationTitle;
};

} // namespace orvanel::platform
