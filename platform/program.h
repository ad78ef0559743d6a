#pragma once

class QApplication;

namespace orvanel::platform {

// Prepares the application before its first window: the widget style and the
// stand-in fonts.
void prepareApplication(QApplication &application);

// Ends the program at once: every window closes, hidden ones included, and the
// event loop returns without delivering further events.
void endProgram();

} // namespace orvanel::platform
