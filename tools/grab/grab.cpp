// Saves a picture of the whole screen of the display it connects to, so that
// scripts can show what a window looks like where nobody watches the screen.
// Usage: orvanel-grab FILE.png

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: orvanel-grab FILE.png\n");
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(arguments.at(1))) {
        std::fprintf(stderr, "orvanel-grab: could not save %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    return 0;
}
