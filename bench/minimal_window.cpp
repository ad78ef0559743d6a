// The floor for start-up measurements: the least a Qt Widgets program does to
// show a window.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(302, 201);
    window.show();
    return QApplication::exec();
}
