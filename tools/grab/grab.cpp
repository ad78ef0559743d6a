// Saves a picture of the screen of the display it connects to, or of a part of
// it, so that scripts can show what a window looks like where nobody watches
// the screen.
// Usage: orvanel-grab FILE.png [X Y WIDTH HEIGHT]

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 6) {
        std::fprintf(stderr, "usage: orvanel-grab FILE.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    int area[4] = { 0, 0, -1, -1 };
    for (int i = 0; i < 4 && arguments.size() == 6; ++i)
        area[i] = arguments.at(i + 2).toInt();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen
        || !screen->grabWindow(0, area[0], area[1], area[2], area[3]).save(arguments.at(1))) {
        std::fprintf(stderr, "orvanel-grab: could not save %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    return 0;
}
