#include "platform/qt/qt_runtime.h"

#include "platform/qt/fonts.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>

// The icon's picture, compiled in as the array the XPM file is written as, so
// that reading it needs neither a file nor Qt's image-format plugins.
#include "res/orvanel.xpm"

namespace orvanel::platform {

void prepareApplication(QApplication &application)
{
    QApplication::setApplicationName(QStringLiteral("orvanel"));
    QApplication::setDesktopFileName(QStringLiteral("orvanel"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(QImage(orvanel_icon))));
    loadFontSubstitutes();
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    // Menus and message boxes use the system font of the desktop the
    // windows were designed on.
    QApplication::setFont(resolveFont({ "MS Sans Serif", 8.25 }));
    // Only File > Exit or the main window's close box end the program.
    application.setQuitOnLastWindowClosed(false);
}

QtRuntime::QtRuntime(int &argc, char **argv, std::string_view applicationTitle)
    : m_applicationTitle(toQString(applicationTitle))
{
    if (!QApplication::instance()) {
        m_ownApplication = std::make_unique<QApplication>(argc, argv);
        prepareApplication(*m_ownApplication);
    }
}

QtRuntime::~QtRuntime() = default;

std::unique_ptr<Window> QtRuntime::createWindow(const FormDescription &description)
{
    return std::make_unique<QtWindow>(description);
}

void QtRuntime::showMessage(Window *owner, std::string_view text)
{
    QMessageBox box(QMessageBox::NoIcon, m_applicationTitle, toQString(text), QMessageBox::Ok,
        dynamic_cast<QtWindow *>(owner));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // The window that was active takes the focus again once the box is gone.
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    if (active && active->isVisible())
        active->activateWindow();
}

void QtRuntime::endProgram()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        window->hide();
    QCoreApplication::exit(0);
}

int QtRuntime::run()
{
    return QApplication::exec();
}

std::unique_ptr<Runtime> makeRuntime(int &argc, char **argv, std::string_view applicationTitle)
{
    return std::make_unique<QtRuntime>(argc, argv, applicationTitle);
}

} // namespace orvanel::platform
