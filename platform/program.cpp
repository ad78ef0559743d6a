#include "program.h"

#include "fonts.h"

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

namespace orvanel::platform {

void prepareApplication(QApplication &application)
{
    loadFontSubstitutes();
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    // Menus and message boxes use the system font of the desktop the
    // windows were designed on.
    QApplication::setFont(resolveFont({ "MS Sans Serif", 8.25 }));
    // Only File > Exit or the main window's close box end the program.
    application.setQuitOnLastWindowClosed(false);
}

void endProgram()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace orvanel::platform
