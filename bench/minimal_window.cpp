// The floor for start-up measurements: the least a Qt Widgets program does to
// show the kinds of things Orvanel's main window shows (a menu bar with one
// menu of one entry, a label, a line edit and a push button), with Qt's
// default style and font.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.menuBar()
        ->addMenu(QStringLiteral("&File"))
        ->addAction(QStringLiteral("E&xit"), &application, &QApplication::quit);
    auto *client = new QWidget(&window);
    client->setFixedSize(302, 201);
    auto *label = new QLabel(QStringLiteral("Total block"), client);
    label->setGeometry(8, 8, 120, 20);
    auto *edit = new QLineEdit(client);
    edit->setGeometry(8, 32, 120, 22);
    auto *button = new QPushButton(QStringLiteral("Continue"), client);
    button->setGeometry(8, 64, 120, 26);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
