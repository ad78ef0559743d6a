#include "frmabout.h"
#include "frmhelp.h"
#include "frmorvix.h"
#include "message_box.h"
#include "program.h"
#include "window_slot.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace {

// The short name of the program, used as the title of every message box; the
// main window carries the long name.
const QString applicationTitle = QStringLiteral("Orvix");

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvanel"));
    QApplication::setDesktopFileName(QStringLiteral("orvanel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvanel/orvanel.xpm")));
    orvanel::platform::prepareApplication(application);

    orvanel::platform::ModalMessageBox messages(applicationTitle);
    orvanel::platform::WindowSlot helpWindow([] { return std::make_unique<orvanel::frmhelp>(); });
    orvanel::platform::WindowSlot aboutWindow([] { return std::make_unique<orvanel::frmabout>(); });
    orvanel::frmorvix mainWindow(messages, helpWindow, aboutWindow);
    mainWindow.show();
    return QApplication::exec();
}
